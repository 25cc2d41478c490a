#include "engine/rated_block.h"

namespace passcat {

BlockSummary SummaryOfRatedBlock(const ObstacleBlock& block, const PointRatings& ratings,
                                 std::uint64_t titleLineNumber)
{
    const std::size_t r = ratings.recommendation.recommendedPoint;
    return {
        .title = block.title,
        .titleLineNumber = titleLineNumber,
        .rejection = std::nullopt,
        .length = block.distances.back() - block.distances.front(),
        .startHeight = block.heights.front(),
        .endHeight = block.heights.back(),
        .climb = block.heights.back() - block.heights.front(),
        .category = ratings.recommendation.pointCategories[r],
        .score = ratings.scores.pointScores[r],
        .recommendedPoint = r,
        .recommendedDistance = block.distances[r],
    };
}

} // namespace passcat
