// The evaluation of a whole input into a report held in memory, as a run does it.
//
// The first byte chooses the region (0 to 5), the weighting and the decimal
// separator; the rest is the input. Every call of the engine must consume one block,
// write either nothing or one whole section, and report a rejection exactly when it
// writes nothing for a block. A section of a block of n points has n + 7 lines: the
// title as read, the header with 13 TABs, n - 1 rows of 20 TABs, the recommended
// values, whose category is the highest category of the rows, and two empty lines.
// Evaluating the same input again gives the same bytes and the same messages.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/text_lines.h"
#include "fuzz_check.h"

namespace {

using passcat::BlockOutcome;
using passcat::fuzz::CountOf;
using passcat::fuzz::StartsWith;

class CountingSource final : public passcat::LineSource {
public:
    explicit CountingSource(std::string_view text) : source_(text) {}

    bool atEnd() override { return source_.atEnd(); }
    std::optional<std::string_view> readLine() override
    {
        const auto line = source_.readLine();
        if (line) {
            if (!firstOfCall_)
                firstOfCall_ = std::string(*line);
            last_ = std::string(*line);
        }
        return line;
    }
    std::uint64_t lineNumber() const override { return source_.lineNumber(); }

    void startCall() { firstOfCall_.reset(); }
    const std::optional<std::string>& firstOfCall() const { return firstOfCall_; }
    const std::string& lastLine() const { return last_; }

private:
    passcat::TextLineSource source_;
    std::optional<std::string> firstOfCall_;
    std::string last_;
};

class LinesSink final : public passcat::LineSink {
public:
    void writeLine(std::string_view line) override
    {
        lines.emplace_back(line);
        bytes.append(line);
        bytes.append("\r\n");
    }
    std::vector<std::string> lines;
    std::string bytes;
};

class Rejections final : public passcat::RejectionSink {
public:
    void blockRejected(const passcat::BlockRejection& rejection) override { all.push_back(rejection.message); }
    std::vector<std::string> all;
};

struct Evaluated {
    std::string report;
    std::vector<std::string> messages;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A category as the report writes it: one digit, 0 to 6.
int Category(std::string_view text)
{
    FUZZ_CHECK(text.size() == 1 && text[0] >= '0' && text[0] <= '6', text);
    return text[0] - '0';
}

// A number of the report: digits, at most one separator, the other separator never.
void CheckNumber(std::string_view text, char separator)
{
    FUZZ_CHECK(!text.empty(), text);
    FUZZ_CHECK(text.find(separator == '.' ? ',' : '.') == std::string_view::npos, text);
    FUZZ_CHECK(CountOf(text, separator) <= 1, text);
    FUZZ_CHECK(text.find_first_not_of("-+0123456789E,.") == std::string_view::npos, text);
    // No negative zero: a minus is followed by some non-zero digit.
    if (text[0] == '-') {
        const auto mantissa = text.substr(1, text.find('E') == std::string_view::npos ? text.npos : text.find('E') - 1);
        FUZZ_CHECK(mantissa.find_first_of("123456789") != std::string_view::npos, text);
    }
}

void CheckSection(const std::vector<std::string>& section, std::string_view title, std::uint64_t points,
                  const passcat::EvaluationSettings& settings)
{
    const auto& labels = settings.labels;
    const char separator = settings.format.decimalSeparator;
    FUZZ_CHECK(points >= 2);
    FUZZ_CHECK(section.size() == points + 7, title);
    FUZZ_CHECK(section[0] == title, section[0], title);
    FUZZ_CHECK(section[1] == labels.header);
    FUZZ_CHECK(CountOf(section[1], '\t') == 13);

    int highest = 0;
    for (std::size_t row = 2; row < points + 1; ++row) {
        const std::string& line = section[row];
        FUZZ_CHECK(CountOf(line, '\t') == 20, line);
        const auto fields = passcat::fuzz::Fields(line);
        // Values stand in fields 0, 3, 5, 6, 8, 10, ..., 20; the rest are empty.
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const bool value = f == 0 || f == 3 || f == 5 || f == 6 || (f >= 8 && f % 2 == 0);
            if (!value) {
                FUZZ_CHECK(fields[f].empty(), line);
                continue;
            }
            if (f == 20)
                break;
            CheckNumber(fields[f], separator);
            if (f >= 8) {
                // Pattern "0.000": digits, the separator, three digits.
                const auto at = fields[f].find(separator);
                FUZZ_CHECK(at != std::string_view::npos && at + 4 == fields[f].size() && IsDigit(fields[f][at - 1]),
                           line);
            }
        }
        highest = std::max(highest, Category(fields.back()));
    }

    const std::size_t summary = points + 1;
    FUZZ_CHECK(section[summary] == labels.recommended);
    FUZZ_CHECK(StartsWith(section[summary + 1], labels.scorePrefix), section[summary + 1]);
    CheckNumber(std::string_view(section[summary + 1]).substr(labels.scorePrefix.size()), separator);
    FUZZ_CHECK(StartsWith(section[summary + 2], labels.categoryPrefix), section[summary + 2]);
    FUZZ_CHECK(Category(std::string_view(section[summary + 2]).substr(labels.categoryPrefix.size())) == highest,
               section[summary + 2]);
    const std::string& formula = section[summary + 3];
    FUZZ_CHECK(StartsWith(formula, labels.formulaPrefix), formula);
    const std::string_view factors = std::string_view(formula).substr(labels.formulaPrefix.size());
    FUZZ_CHECK(CountOf(factors, '*') == 3, formula);
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const auto star = factors.find('*', start);
        CheckNumber(factors.substr(start, star == std::string_view::npos ? star : star - start), separator);
        start = star + 1;
    }
    FUZZ_CHECK(section[summary + 4].empty() && section[summary + 5].empty());
}

Evaluated EvaluateAll(std::string_view input, const passcat::EvaluationSettings& settings)
{
    CountingSource source(input);
    LinesSink sink;
    Rejections rejections;
    while (!source.atEnd()) {
        const std::uint64_t linesBefore = source.lineNumber();
        const std::size_t writtenBefore = sink.lines.size();
        const std::size_t rejectedBefore = rejections.all.size();
        source.startCall();

        const BlockOutcome outcome = passcat::EvaluateObstacleBlock(source, sink, settings, rejections);

        const std::uint64_t consumed = source.lineNumber() - linesBefore;
        FUZZ_CHECK(consumed >= 1);
        FUZZ_CHECK(source.atEnd() || (consumed >= 2 && source.lastLine() == "@@@"));
        const std::vector<std::string> section(sink.lines.begin() + static_cast<std::ptrdiff_t>(writtenBefore),
                                               sink.lines.end());
        switch (outcome) {
        case BlockOutcome::Accepted:
            FUZZ_CHECK(rejections.all.size() == rejectedBefore);
            FUZZ_CHECK(source.lastLine() == "@@@" && consumed >= 4);
            CheckSection(section, *source.firstOfCall(), consumed - 2, settings);
            break;
        case BlockOutcome::Rejected:
            FUZZ_CHECK(section.empty());
            FUZZ_CHECK(rejections.all.size() == rejectedBefore + 1);
            FUZZ_CHECK(StartsWith(rejections.all.back(), "Ошибка: "), rejections.all.back());
            break;
        case BlockOutcome::NoBlock:
            FUZZ_CHECK(section.empty());
            FUZZ_CHECK(rejections.all.size() == rejectedBefore);
            FUZZ_CHECK(source.atEnd());
            break;
        }
    }
    return {std::move(sink.bytes), std::move(rejections.all)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    passcat::EvaluationSettings settings;
    settings.tables = passcat::LoadReferenceTables(data[0] % passcat::kRegionCount);
    settings.interpolationByLength = (data[0] / passcat::kRegionCount) % 2 == 1;
    settings.format.decimalSeparator = (data[0] / (2 * passcat::kRegionCount)) % 2 == 1 ? ',' : '.';
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Evaluated first = EvaluateAll(input, settings);
    const Evaluated second = EvaluateAll(input, settings);
    FUZZ_CHECK(first.report == second.report);
    FUZZ_CHECK(first.messages == second.messages);
    return 0;
}
