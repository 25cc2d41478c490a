#include "engine/point_scores.h"

#include "engine/lookup.h"
#include "engine/surface_scores.h"

namespace passcat {
namespace {

constexpr std::size_t kShortBlockSegments = 128;

} // namespace

std::vector<float> ComputeSurfaceScores(std::span<const double> values, std::span<const double> deltas,
                                        std::span<const double> surfaceCoefs)
{
    std::vector<float> scores(deltas.size());
    // The widest registers pay off once a group of points has a long way to sum.
    SurfaceKernel kernel = FastestSurfaceKernel();
    if (deltas.size() < kShortBlockSegments && SurfaceKernelAvailable(SurfaceKernel::Sse2))
        kernel = SurfaceKernel::Sse2;
    ComputeSurfaceScoresWith(kernel, 0, values, deltas, surfaceCoefs, scores);
    return scores;
}

PointScores ComputePointScores(const ObstacleBlock& block, const SegmentSeries& series,
                               const ReferenceTables& tables, bool interpolationByLength)
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
    s.surfaceScores = interpolationByLength
        ? ComputeSurfaceScores(block.distances, series.deltaDistances, block.surfaceCoefs)
        : ComputeSurfaceScores(block.heights, series.deltaHeights, block.surfaceCoefs);
    s.altitudeCoef = LookupCoefficient(tables.altitudeNodes, tables.altitudeCoefTable, endHeight);
    for (std::size_t i = 0; i < segments; ++i) {
        const auto withSteepness = static_cast<float>(s.altitudeCoef * s.steepnessCoefs[i]);
        const auto withGain = static_cast<float>(withSteepness * s.gainCoefs[i]);
        s.pointScores.push_back(static_cast<float>(withGain * s.surfaceScores[i]));
    }
    return s;
}

} // namespace passcat
