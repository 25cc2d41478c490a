#include "chart/chart_readout.h"

#include <algorithm>

namespace passcat {

ChartReadout ReadoutAt(const RatedBlock& rated, double km)
{
    const std::vector<double>& distances = rated.block.distances;
    const std::vector<double>& heights = rated.block.heights;
    const double first = distances.front();
    const double along = std::clamp(first + km, first, distances.back());
    // The first segment that spans the distance: a middle point may lie anywhere, so the
    // distances need not grow, and one pass over them is quick enough for every move.
    const std::size_t last = distances.size() - 2;
    std::size_t i = 0;
    while (i < last && !(std::min(distances[i], distances[i + 1]) <= along && along <= std::max(distances[i], distances[i + 1])))
        ++i;
    const double span = distances[i + 1] - distances[i];
    const double t = span != 0 ? (along - distances[i]) / span : 0;
    return {
        .segment = i,
        .km = along - first,
        .height = heights[i] + (heights[i + 1] - heights[i]) * t,
        .grade = rated.ratings.series.segmentGrades[i],
        .surface = rated.block.surfaceCoefs[i],
        .score = rated.ratings.scores.pointScores[i],
        .category = rated.ratings.recommendation.pointCategories[i],
    };
}

} // namespace passcat
