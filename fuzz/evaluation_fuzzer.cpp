// Whole inputs evaluated as a run does, under every region and both weightings (the
// first byte's last bit picks the separator). Each call consumes one block, through its end line
// or to the input's end. An accepted block of n points writes n + 7 lines: its title,
// the header with 13 TABs, n - 1 rows of 20 TABs, the recommended values, whose category
// is the recommended row's (the highest), and two empty lines; a rejected one writes
// nothing and its message starts "Ошибка: ". The same input again gives the same lines.
#include <algorithm>

#include "engine/block_evaluation.h"
#include "fuzz_check.h"

namespace {

using passcat::BlockOutcome;

struct Report final : passcat::LineSink {
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// The report's lines, with each message where its block would have been.
std::vector<std::string> Evaluate(std::string_view input, const passcat::EvaluationSettings& settings)
{
    const auto lines = passcat::fuzz::LinesOf(input);
    passcat::TextLineSource source(input);
    Report report;
    while (!source.atEnd()) {
        const std::size_t first = source.lineNumber(), written = report.lines.size();
        const passcat::BlockEvaluation result = passcat::EvaluateObstacleBlock(source, report, settings);
        const std::size_t end = source.lineNumber(), n = end - first - 2;
        FUZZ_CHECK(end > first && (source.atEnd() || lines[end - 1] == "@@@"), input);
        if (result.outcome != BlockOutcome::Accepted) {
            FUZZ_CHECK(report.lines.size() == written && result.summary.rejection.has_value() == (result.outcome == BlockOutcome::Rejected), input);
            if (const auto& rejected = result.summary.rejection) {
                FUZZ_CHECK(rejected->starts_with("Ошибка: ") && result.summary.titleLineNumber == first + 1, *rejected);
                report.lines.push_back(*rejected);
            }
            continue;
        }
        const std::vector<std::string_view> section(report.lines.begin() + static_cast<std::ptrdiff_t>(written), report.lines.end());
        FUZZ_CHECK(section.size() == n + 7 && section[0] == lines[first] && section[1] == settings.labels.header
                       && std::ranges::count(section[1], '\t') == 13, input);
        char highest = '0';
        for (std::size_t row = 2; row <= n; ++row) {
            FUZZ_CHECK(std::ranges::count(section[row], '\t') == 20, section[row]);
            highest = std::max(highest, section[row].back());
        }
        FUZZ_CHECK(section[n + 1] == settings.labels.recommended && section[n + 5].empty() && section[n + 6].empty(), input);
        FUZZ_CHECK(section[n + 3] == settings.labels.categoryPrefix + highest, section[n + 3]);
    }
    return report.lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    passcat::EvaluationSettings settings;
    settings.format.decimalSeparator = size != 0 && data[0] % 2 ? ',' : '.';
    for (int k = 0; k < 2 * passcat::kRegionCount; ++k) {
        settings.tables = passcat::LoadReferenceTables(k / 2);
        settings.weighting = k % 2 ? passcat::SurfaceWeighting::ByLength : passcat::SurfaceWeighting::ByHeight;
        FUZZ_CHECK(Evaluate(input, settings) == Evaluate(input, settings), input);
    }
    return 0;
}
