#include "engine/block_reader.h"

#include <algorithm>

#include "engine/messages.h"
#include "engine/number_parsing.h"

namespace passcat {
namespace {

constexpr std::string_view kEndLine = "@@@";

bool IsBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Appends the three columns of a data line; false when it has fewer than two TABs.
bool AppendDataLine(std::string_view line, ObstacleBlock& block)
{
    const auto firstTab = line.find('\t');
    if (firstTab == std::string_view::npos)
        return false;
    const auto secondTab = line.find('\t', firstTab + 1);
    if (secondTab == std::string_view::npos)
        return false;
    const auto lastTab = line.rfind('\t');

    const double height = ParseNumberText(line.substr(0, firstTab));
    const double distance = ParseNumberText(line.substr(firstTab + 1, secondTab - firstTab - 1));
    const double surfaceCoef = ParseNumberText(line.substr(lastTab + 1));

    // Past the largest block only the latest point is kept, in the last place.
    if (block.heights.size() > kMaxPointsPerBlock) {
        block.heights.back() = height;
        block.distances.back() = distance;
        block.surfaceCoefs.back() = surfaceCoef;
        ++block.droppedPoints;
        return true;
    }
    block.heights.push_back(height);
    block.distances.push_back(distance);
    block.surfaceCoefs.push_back(surfaceCoef);
    return true;
}

} // namespace

BlockReadResult ReadObstacleBlock(LineSource& input)
{
    BlockReadResult result;
    ReadObstacleBlock(input, result);
    return result;
}

void ReadObstacleBlock(LineSource& input, BlockReadResult& result)
{
    result.status = BlockReadResult::Status::Complete;
    result.block.title.clear();
    result.block.heights.clear();
    result.block.distances.clear();
    result.block.surfaceCoefs.clear();
    result.block.droppedPoints = 0;
    result.titleLineNumber = 0;
    result.fault.clear();

    const auto title = input.readLine();
    if (!title) {
        result.status = BlockReadResult::Status::TrailingBlank;
        return;
    }
    result.block.title.assign(*title);
    result.titleLineNumber = input.lineNumber();

    // Editors leave blank lines after the last block; they are no block of their own.
    bool onlyBlankSoFar = IsBlank(*title);
    while (const auto line = input.readLine()) {
        if (*line == kEndLine)
            return;
        onlyBlankSoFar = onlyBlankSoFar && IsBlank(*line);
        if (result.status == BlockReadResult::Status::Complete && !AppendDataLine(*line, result.block)) {
            result.status = BlockReadResult::Status::Malformed;
            result.fault = messages::TooFewTabs(input.lineNumber());
            result.block.heights.clear();
            result.block.distances.clear();
            result.block.surfaceCoefs.clear();
            result.block.droppedPoints = 0;
        }
    }
    if (onlyBlankSoFar) {
        result.status = BlockReadResult::Status::TrailingBlank;
    } else if (result.status == BlockReadResult::Status::Complete) {
        result.status = BlockReadResult::Status::Malformed;
        result.fault = messages::MissingEndLine(result.titleLineNumber);
    }
}

} // namespace passcat
