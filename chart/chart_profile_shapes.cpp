#include "chart/chart_profile_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace passcat {
namespace {

double ColumnOf(const std::vector<Point>& page, std::size_t point)
{
    return std::max(0.0, std::floor(page[point].x * 2));
}

} // namespace

std::vector<Point> DrawnPoints(const std::vector<Point>& page, std::size_t first, std::size_t last)
{
    std::vector<Point> out;
    for (std::size_t i = first; i <= last;) {
        const double column = ColumnOf(page, i);
        const std::size_t start = i;
        std::size_t top = i;
        std::size_t bottom = i;
        for (; i <= last && ColumnOf(page, i) == column; ++i) {
            top = page[i].y < page[top].y ? i : top;
            bottom = page[i].y > page[bottom].y ? i : bottom;
        }
        const std::size_t kept[] = {start, std::min(top, bottom), std::max(top, bottom), i - 1};
        for (std::size_t k = 0; k < 4; ++k) {
            if (k == 0 || kept[k] != kept[k - 1])
                out.push_back(page[kept[k]]);
        }
    }
    return out;
}

std::vector<ChartFill> DrawnFills(const std::vector<ChartFill>& fills, const std::vector<Point>& page)
{
    std::vector<ChartFill> drawn;
    std::array<double, kChartCategoryCount> widths{}; // in the column drawn.back() gathers
    double gathering = -1;                             // that column; -1: none
    for (const ChartFill& fill : fills) {
        const double column = ColumnOf(page, fill.first);
        if (column != ColumnOf(page, fill.last)) {
            drawn.push_back(fill);
            gathering = -1;
            continue;
        }
        if (column != gathering) {
            drawn.push_back(fill);
            widths.fill(0);
            gathering = column;
        }
        widths[static_cast<std::size_t>(fill.category)] += std::abs(page[fill.last].x - page[fill.first].x);
        drawn.back().last = fill.last;
        const auto widest = std::max_element(widths.begin(), widths.end());
        if (*widest > 0)
            drawn.back().category = static_cast<int>(widest - widths.begin());
    }
    std::vector<ChartFill> merged;
    for (const ChartFill& fill : drawn) {
        if (!merged.empty() && merged.back().category == fill.category)
            merged.back().last = fill.last;
        else
            merged.push_back(fill);
    }
    return merged;
}

} // namespace passcat
