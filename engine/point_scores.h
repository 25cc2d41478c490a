#pragma once

#include <vector>

#include "engine/obstacle_block.h"
#include "engine/reference_tables.h"
#include "engine/segment_series.h"
#include "engine/surface_weighting.h"
#include "engine/work_sharing.h"

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
                               const ReferenceTables& tables, SurfaceWeighting weighting,
                               WorkSharing* sharing = nullptr);

} // namespace passcat
