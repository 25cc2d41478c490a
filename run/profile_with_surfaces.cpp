#include "run/profile_with_surfaces.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "engine/number_parsing.h"

namespace passcat {
namespace {

void AppendSurfaceText(std::string& out, double surface)
{
    char text[400]; // the largest double has 309 whole digits, the smallest 324 decimals
    out.append(text, std::to_chars(text, text + sizeof text, surface, std::chars_format::fixed).ptr);
}

} // namespace

std::string ProfileWithSurfaces(const RunResult& run)
{
    // Every kept line is followed by CR LF, and holds none itself.
    constexpr std::string_view kLineEnd = "\r\n";
    const std::string_view text = run.profileText;
    std::string out;
    out.reserve(text.size());
    auto block = run.blocks.begin(); // the next accepted block whose lines are not past
    std::size_t position = 0;
    for (std::uint64_t lineNumber = 1; position < text.size(); ++lineNumber) {
        const std::size_t end = std::min(text.find(kLineEnd, position), text.size());
        const std::string_view line = text.substr(position, end - position);
        position = end + kLineEnd.size();
        // An accepted block's points are the lines after its title, one each.
        const auto pastBlock = [lineNumber](const RunBlock& at) {
            return !at.rated || lineNumber > at.summary.titleLineNumber + at.rated->block.surfaceCoefs.size();
        };
        while (block != run.blocks.end() && pastBlock(*block))
            ++block;
        const std::size_t surfaceAt = line.rfind('\t') + 1;
        if (block != run.blocks.end() && lineNumber > block->summary.titleLineNumber) {
            const double surface = block->rated->block.surfaceCoefs[lineNumber - block->summary.titleLineNumber - 1];
            if (ParseNumberText(line.substr(surfaceAt)) != surface) {
                out.append(line.substr(0, surfaceAt));
                AppendSurfaceText(out, surface);
                out.append(kLineEnd);
                continue;
            }
        }
        out.append(line);
        out.append(kLineEnd);
    }
    return out;
}

} // namespace passcat
