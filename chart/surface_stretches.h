#pragma once

#include <cstddef>
#include <vector>

#include "engine/rated_block.h"

namespace passcat {

// Consecutive segments of one surface coefficient, as the chart's surface band shows
// them: from the first segment's start to the last one's end, in km from the block's
// first point.
struct SurfaceStretch {
    std::size_t firstSegment = 0;
    std::size_t lastSegment = 0;
    double fromKm = 0;
    double toKm = 0;
    double surface = 0;
};

std::vector<SurfaceStretch> SurfaceStretches(const RatedBlock& rated);

} // namespace passcat
