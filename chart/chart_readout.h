#pragma once

#include <cstddef>

#include "engine/rated_block.h"

namespace passcat {

// What the chart shows under the pointer: the segment at a distance along the block
// and the profile's height there; the segment from point i to point i + 1 takes the
// surface, score and category of point i, as its area's colour does.
struct ChartReadout {
    std::size_t segment = 0; // from 0
    double km = 0;           // from the block's first point, within the block
    double height = 0;       // m, on the straight line between the segment's points
    double grade = 0;        // percent, the segment alone
    double surface = 0;
    float score = 0;
    int category = 0;
};

// km is clamped to the block's first and last distances.
ChartReadout ReadoutAt(const RatedBlock& rated, double km);

} // namespace passcat
