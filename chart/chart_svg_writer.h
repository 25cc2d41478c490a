#pragma once

#include <string>

#include "chart/chart_display_list.h"

namespace passcat {

// The display list as an SVG 1.1 document of the page's physical size, its units as
// the view box: texts as <text> elements (found by a search, edited in a drawing
// program) in their family or, where a viewer lacks it, a common sans-serif one; the
// list's title as the <title>. The same list gives the same bytes.
std::string WriteChartSvg(const ChartDisplayList& list);

} // namespace passcat
