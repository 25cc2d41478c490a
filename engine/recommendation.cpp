#include "engine/recommendation.h"

#include "engine/lookup.h"

namespace passcat {

Recommendation RecommendPoint(const ObstacleBlock& block, const PointScores& scores, const ReferenceTables& tables)
{
    const auto& h = block.heights;
    const std::size_t segments = scores.pointScores.size();
    const double endHeight = h[segments];
    const auto endAltitude = static_cast<float>(endHeight);

    Recommendation r;
    r.pointCategories.reserve(segments);
    std::int16_t bestCategory = 0;
    float bestScore = 0;
    for (std::size_t i = 0; i < segments; ++i) {
        const float score = scores.pointScores[i];
        const auto category = CategoryFromScore(tables, score, endAltitude, static_cast<float>(endHeight - h[i]));
        r.pointCategories.push_back(category);
        // A later point replaces the best only by a higher category, or by a strictly
        // higher score within the same category.
        if (category > bestCategory || (category == bestCategory && score > bestScore)) {
            bestCategory = category;
            bestScore = score;
            r.recommendedPoint = i;
        }
    }
    return r;
}

} // namespace passcat
