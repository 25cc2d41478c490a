// The block reader on any bytes, block after block into the same result, as a run
// reads: each call consumes at least one line and stops after the first end line
// "@@@" past the title or at the end of the input; the three series are equal and
// hold at most one point past the limit; a malformed block comes with a message, only
// blank lines left are no block.
//
// Built again as fuzz_block_limit with PASSCAT_FUZZ_AT_LIMIT: a title and empty data
// lines up to just below or past the point limit (by the first byte) come first.
#include <algorithm>

#include "engine/block_reader.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using Status = passcat::BlockReadResult::Status;
    std::string text(reinterpret_cast<const char*>(data), size);
#ifdef PASSCAT_FUZZ_AT_LIMIT
    if (size == 0)
        return 0;
    std::string filler = "title\n";
    for (std::size_t i = 0; i < passcat::kMaxPointsPerBlock - 8 + (data[0] & 15); ++i)
        filler += "\t\t\n";
    text = filler + text.substr(1);
#endif
    const auto lines = passcat::fuzz::LinesOf(text);
    passcat::TextLineSource input(text);
    passcat::BlockReadResult read;
    while (!input.atEnd()) {
        const std::size_t first = input.lineNumber();
        passcat::ReadObstacleBlock(input, read);
        const std::size_t end = input.lineNumber(), kept = read.block.heights.size();
        FUZZ_CHECK(end > first && (input.atEnd() || (end - first >= 2 && lines[end - 1] == "@@@")), text);
        FUZZ_CHECK(end - first < 2 || std::find(&lines[first + 1], &lines[end - 1], "@@@") == &lines[end - 1], text);
        FUZZ_CHECK(read.block.distances.size() == kept && read.block.surfaceCoefs.size() == kept, text);
        FUZZ_CHECK(kept <= passcat::kMaxPointsPerBlock + 1, text);
        FUZZ_CHECK(read.status != Status::Malformed || read.fault.starts_with("Ошибка: "), read.fault);
        const auto blank = [](std::string_view line) { return line.find_first_not_of(" \t") == line.npos; };
        if (read.status == Status::TrailingBlank)
            FUZZ_CHECK(input.atEnd() && std::all_of(&lines[first], &lines[end - 1] + 1, blank), text);
        if (read.status == Status::Complete) {
            FUZZ_CHECK(read.block.title == lines[first] && read.block.pointCount() == end - first - 2 && read.fault.empty(), read.block.title);
            FUZZ_CHECK(kept == std::min<std::size_t>(end - first - 2, passcat::kMaxPointsPerBlock + 1), read.block.title);
        }
    }
    return 0;
}
