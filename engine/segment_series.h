#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/obstacle_block.h"
#include "engine/surface_weighting.h"

namespace passcat {

// Per-segment quantities of a checked block: element i belongs to the segment that
// starts at point i, so each has one element less than the block has points.
struct SegmentSeries {
    std::vector<double> deltaDistances;  // km
    std::vector<double> deltaHeights;    // m
    std::vector<double> segmentGrades;   // percent, the segment alone
    std::vector<double> remainingGrades; // percent, from the point to the end point
};

// The first reason the block cannot be evaluated, as the message to show; nothing
// when it can. The three classic checks come first, in their order; the rest keep
// every later division and lookup finite. titleLineNumber places the block's points
// in the input for the messages that name one.
std::optional<std::string> CheckProfile(const ObstacleBlock& block, SurfaceWeighting weighting,
                                        std::uint64_t titleLineNumber);

// Requires a block that passed CheckProfile.
SegmentSeries DeriveSegmentSeries(const ObstacleBlock& block);

} // namespace passcat
