#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace passcat::tracks {

// A climb: the points bottom .. top, both included.
struct Climb {
    std::size_t bottom = 0;
    std::size_t top = 0;
};

// The climbs of a height profile: its turning points found with hysteresis minClimb
// (a bottom once the heights rose minClimb above the lowest point, a top once they
// fell minClimb below the highest), every bottom followed by a top a climb.
std::vector<Climb> FindClimbs(std::span<const double> heights, double minClimb);

// The largest height gained from a point to any later one: what a track without
// climbs fell short of the minimum by.
double LargestRise(std::span<const double> heights);

} // namespace passcat::tracks
