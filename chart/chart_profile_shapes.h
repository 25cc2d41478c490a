#pragma once

#include <cstddef>
#include <vector>

#include "chart/chart_display_list.h"
#include "chart/chart_model.h"

namespace passcat {

// A profile of many points is drawn by half-unit columns of the page, finer than a
// pixel of the PNG and of the window on a high-density screen, so that a block of
// 32767 points draws as quickly as one of a few hundred.

// The page points first to last as drawn: of those in one column, only the first, the
// lowest, the highest and the last, which draw the same line.
std::vector<Point> DrawnPoints(const std::vector<Point>& page, std::size_t first, std::size_t last);

// The areas as drawn: those that lie within one column together, in the colour of the
// category that covers most of it; neighbours of one category as one.
std::vector<ChartFill> DrawnFills(const std::vector<ChartFill>& fills, const std::vector<Point>& page);

} // namespace passcat
