#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace passcat::tracks {

// Douglas-Peucker on the profile (distances, heights) from first to last, by the
// vertical deviation from the chord: the indices of the points kept, in order, the
// first and last always among them. tolerance 0 keeps every point.
void SimplifyProfile(std::span<const double> distances, std::span<const double> heights, std::size_t first,
                     std::size_t last, double tolerance, std::vector<std::size_t>& kept);

} // namespace passcat::tracks
