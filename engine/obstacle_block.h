#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace passcat {

// A block holds at most this many points; positions are 16-bit.
inline constexpr std::size_t kMaxPointsPerBlock = 32767;

// One obstacle as read from the input, before any check.
struct ObstacleBlock {
    std::string title;                // the title line, byte for byte
    std::vector<double> heights;      // metres, first column
    std::vector<double> distances;    // kilometres, second column
    std::vector<double> surfaceCoefs; // last column
    // Points read beyond kMaxPointsPerBlock + 1 are not kept (the block is rejected
    // for its size anyway); the last of them stays in the last place, so the first
    // and last points are always the real ones.
    std::uint64_t droppedPoints = 0;

    std::uint64_t pointCount() const { return heights.size() + droppedPoints; }
};

} // namespace passcat
