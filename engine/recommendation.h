#pragma once

#include <cstdint>
#include <vector>

#include "engine/obstacle_block.h"
#include "engine/point_scores.h"
#include "engine/reference_tables.h"

namespace passcat {

struct Recommendation {
    std::vector<std::int16_t> pointCategories; // 0 to 6, one per segment
    std::size_t recommendedPoint = 0;          // highest category, then highest score, then first
};

Recommendation RecommendPoint(const ObstacleBlock& block, const PointScores& scores, const ReferenceTables& tables);

} // namespace passcat
