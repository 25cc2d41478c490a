#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/obstacle_block.h"
#include "engine/point_scores.h"
#include "engine/recommendation.h"
#include "engine/segment_series.h"

namespace passcat {

// What rating found for the points of a block that passed its checks.
struct PointRatings {
    SegmentSeries series;
    PointScores scores;
    Recommendation recommendation;
};

// An accepted block as rated: its points, surface coefficients included, and what
// was found for them; the report's section and the chart are made from it alone.
struct RatedBlock {
    ObstacleBlock block;
    PointRatings ratings;
};

// What a list of blocks shows of one block, accepted or not. The figures are those
// of the report: lengths in km, heights in m, the recommended point's category and
// score.
struct BlockSummary {
    std::string title;                    // the title line, byte for byte
    std::uint64_t titleLineNumber = 0;    // where the block starts in its input
    std::optional<std::string> rejection; // why the block was rejected; none: accepted
    double length = 0;                    // last distance less the first
    double startHeight = 0;
    double endHeight = 0;
    double climb = 0;                     // end height less the start height
    int category = 0;
    float score = 0;
    std::size_t recommendedPoint = 0;     // from 0
    double recommendedDistance = 0;
};

BlockSummary SummaryOfRatedBlock(const ObstacleBlock& block, const PointRatings& ratings,
                                 std::uint64_t titleLineNumber);

} // namespace passcat
