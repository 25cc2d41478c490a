#pragma once

#include <span>
#include <vector>

#include "engine/obstacle_block.h"
#include "engine/reference_tables.h"
#include "engine/segment_series.h"

namespace passcat {

// The four factors of every point of a checked block and their product, single
// precision; one element per segment, like SegmentSeries.
struct PointScores {
    std::vector<float> steepnessCoefs; // Ккр, from the remaining grade
    std::vector<float> gainCoefs;      // Кнв, from the height still to be gained
    std::vector<float> surfaceScores;  // Кпк, weighted mean of the surface coefficients
    std::vector<float> pointScores;    // ((Кв * Ккр) * Кнв) * Кпк
    float altitudeCoef = 0;            // Кв, from the end point's altitude
};

PointScores ComputePointScores(const ObstacleBlock& block, const SegmentSeries& series,
                               const ReferenceTables& tables, bool interpolationByLength);

// Surface score of every point i: the single-precision sum, ascending over j from i,
// of (deltas[j] / (values.back() - values[i])) * surfaceCoefs[j], rounded after
// each addition. values has one element more than deltas.
std::vector<float> ComputeSurfaceScores(std::span<const double> values, std::span<const double> deltas,
                                        std::span<const double> surfaceCoefs);

} // namespace passcat
