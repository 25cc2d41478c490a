#include "engine/point_scores.h"

#include "engine/lookup.h"
#include "engine/surface_scores.h"

namespace passcat {

PointScores ComputePointScores(const ObstacleBlock& block, const SegmentSeries& series,
                               const ReferenceTables& tables, SurfaceWeighting weighting, WorkSharing* sharing)
{
    const auto& h = block.heights;
    const std::size_t segments = series.deltaHeights.size();
    const double endHeight = h[segments];

    PointScores s;
    s.steepnessCoefs.reserve(segments);
    s.gainCoefs.reserve(segments);
    s.pointScores.reserve(segments);
    for (std::size_t i = 0; i < segments; ++i)
        s.steepnessCoefs.push_back(
            LookupCoefficient(tables.gradeNodes, tables.steepnessCoefTable, series.remainingGrades[i]));
    for (std::size_t i = 0; i < segments; ++i)
        s.gainCoefs.push_back(LookupCoefficient(tables.gainNodes, tables.gainCoefTable, endHeight - h[i]));
    s.surfaceScores = weighting == SurfaceWeighting::ByLength
        ? ComputeSurfaceScores(block.distances, series.deltaDistances, block.surfaceCoefs, sharing)
        : ComputeSurfaceScores(block.heights, series.deltaHeights, block.surfaceCoefs, sharing);
    s.altitudeCoef = LookupCoefficient(tables.altitudeNodes, tables.altitudeCoefTable, endHeight);
    for (std::size_t i = 0; i < segments; ++i) {
        const auto withSteepness = static_cast<float>(s.altitudeCoef * s.steepnessCoefs[i]);
        const auto withGain = static_cast<float>(withSteepness * s.gainCoefs[i]);
        s.pointScores.push_back(static_cast<float>(withGain * s.surfaceScores[i]));
    }
    return s;
}

} // namespace passcat
