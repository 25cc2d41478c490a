// The block reader on arbitrary bytes, read block by block as a run reads them.
//
// Every call must consume at least one line and stop after an end line "@@@" or at
// the end of the input; a complete block has one value in each series per data line,
// taken from the columns 1, 2 and last; no block holds more than one point past the
// limit; a malformed block comes with a message.
//
// Built a second time as fuzz_block_limit, with PASSCAT_FUZZ_AT_LIMIT: then a title
// and empty data lines up to just below the point limit (8 less the low bits of the
// first byte) come before the rest of the input, so that it reaches the limit. Those
// runs are slow, hence a target of their own.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_reader.h"
#include "engine/number_text.h"
#include "engine/text_lines.h"
#include "fuzz_check.h"

namespace {

using passcat::BlockReadResult;
using passcat::kMaxPointsPerBlock;
using Status = BlockReadResult::Status;

// Remembers every line handed out, so that what a call consumed can be checked. The
// lines of a text in memory stay valid as long as the text.
class RecordingSource final : public passcat::LineSource {
public:
    explicit RecordingSource(std::string_view text) : source_(text) {}

    bool atEnd() override { return source_.atEnd(); }
    std::optional<std::string_view> readLine() override
    {
        const auto line = source_.readLine();
        if (line)
            lines_.emplace_back(*line);
        return line;
    }
    std::uint64_t lineNumber() const override { return source_.lineNumber(); }

    const std::vector<std::string_view>& lines() const { return lines_; }

private:
    passcat::TextLineSource source_;
    std::vector<std::string_view> lines_;
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

#ifdef PASSCAT_FUZZ_AT_LIMIT
// A title and, just below or above the point limit, data lines of three empty
// columns (cheap to read), followed by the rest of the input.
std::string Amplified(std::string_view rest, unsigned extra)
{
    constexpr std::string_view kFiller = "\t\t\n";
    const std::size_t copies = kMaxPointsPerBlock - 8 + extra;
    std::string text = "title\n";
    text.reserve(copies * kFiller.size() + rest.size() + 16);
    for (std::size_t i = 0; i < copies; ++i)
        text.append(kFiller);
    text.append(rest);
    return text;
}
#endif

void CheckBlock(const BlockReadResult& read, std::span<const std::string_view> consumed, bool atEnd,
                std::uint64_t firstLine)
{
    FUZZ_CHECK(!consumed.empty());
    FUZZ_CHECK(read.titleLineNumber == firstLine || read.status == Status::TrailingBlank);
    const auto& block = read.block;
    FUZZ_CHECK(block.heights.size() == block.distances.size() && block.heights.size() == block.surfaceCoefs.size());
    FUZZ_CHECK(block.heights.size() <= kMaxPointsPerBlock + 1);

    const bool endedByEndLine = consumed.size() >= 2 && consumed.back() == "@@@";
    FUZZ_CHECK(endedByEndLine || atEnd, consumed.back());
    // Nothing is read past the first end line after the title.
    for (std::size_t i = 1; i + 1 < consumed.size(); ++i)
        FUZZ_CHECK(consumed[i] != "@@@");

    switch (read.status) {
    case Status::TrailingBlank:
        FUZZ_CHECK(atEnd && !endedByEndLine);
        for (const auto& line : consumed)
            FUZZ_CHECK(IsBlank(line), line);
        return;
    case Status::Malformed:
        FUZZ_CHECK(passcat::fuzz::StartsWith(read.fault, "Ошибка: "), read.fault);
        FUZZ_CHECK(block.title == consumed.front());
        return;
    case Status::Complete:
        break;
    }

    FUZZ_CHECK(endedByEndLine, consumed.back());
    FUZZ_CHECK(block.title == consumed.front(), block.title, consumed.front());
    const std::size_t dataLines = consumed.size() - 2;
    FUZZ_CHECK(block.pointCount() == dataLines);
    FUZZ_CHECK(block.heights.size() == std::min<std::size_t>(dataLines, kMaxPointsPerBlock + 1));

    // Columns 1, 2 and last of the data lines kept; past the limit the last line's
    // values stand in the last place. Of a long block the first and last few points.
    const std::size_t kept = block.heights.size();
    for (std::size_t i = 0; i < kept; i = i == 64 && kept > 68 ? kept - 3 : i + 1) {
        const std::string_view line = consumed[i + 1 == kept ? dataLines : i + 1];
        const auto fields = passcat::fuzz::Fields(line);
        FUZZ_CHECK(fields.size() >= 3, line);
        FUZZ_CHECK(SameBits(block.heights[i], passcat::ParseNumberText(fields.front())), line);
        FUZZ_CHECK(SameBits(block.distances[i], passcat::ParseNumberText(fields[1])), line);
        FUZZ_CHECK(SameBits(block.surfaceCoefs[i], passcat::ParseNumberText(fields.back())), line);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
#ifdef PASSCAT_FUZZ_AT_LIMIT
    if (size == 0)
        return 0;
    const std::string text =
        Amplified(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), data[0] & 0x0f);
#else
    const std::string_view text(reinterpret_cast<const char*>(data), size);
#endif

    RecordingSource input(text);
    std::size_t linesBefore = 0;
    while (!input.atEnd()) {
        const std::uint64_t firstLine = input.lineNumber() + 1;
        const BlockReadResult read = passcat::ReadObstacleBlock(input);
        const auto& lines = input.lines();
        const auto consumed = std::span(lines).subspan(linesBefore);
        FUZZ_CHECK(input.lineNumber() == lines.size());
        CheckBlock(read, consumed, input.atEnd(), firstLine);
        linesBefore = lines.size();
    }
    return 0;
}
