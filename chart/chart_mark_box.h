#pragma once

#include <vector>

#include "chart/chart_display_list.h"

namespace passcat {

// Where the box of the recommended point's texts goes: beside the point at, offset
// away from it, or at the top or bottom of the plot, at least gap within it; of these
// the place that hides the least of the profile (page points) and of the point, and
// then the nearest.
Rect PlaceMarkBox(const std::vector<Point>& page, const Rect& plot, Point at, double width, double height,
                  double offset, double gap);

} // namespace passcat
