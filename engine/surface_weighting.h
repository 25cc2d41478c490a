#pragma once

#include <string_view>

namespace passcat {

// How a point's surface score weights the coefficients of the segments still ahead:
// by each segment's share of the height still to gain ("Высота") or of the distance
// still to go ("Длина").
enum class SurfaceWeighting { ByHeight, ByLength };

// The weighting as the window names it (UTF-8).
constexpr std::string_view SurfaceWeightingName(SurfaceWeighting weighting)
{
    return weighting == SurfaceWeighting::ByLength ? "Длина" : "Высота";
}

} // namespace passcat
