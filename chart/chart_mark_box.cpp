#include "chart/chart_mark_box.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace passcat {
namespace {

// How much a box would hide: 0 above the profile, 1 on the area under it, 2 on the
// line itself.
int CoverOf(const std::vector<Point>& page, const Rect& plot, const Rect& box)
{
    double top = plot.bottom();
    double bottom = plot.y;
    bool any = false;
    for (std::size_t i = 0; i + 1 < page.size(); ++i) {
        const Point a = page[i];
        const Point b = page[i + 1];
        const double left = std::max(std::min(a.x, b.x), box.x);
        const double right = std::min(std::max(a.x, b.x), box.right());
        if (left > right)
            continue;
        const auto heightAt = [&](double at) {
            return a.x == b.x ? a.y : a.y + (b.y - a.y) * (at - a.x) / (b.x - a.x);
        };
        for (const double at : {heightAt(left), heightAt(right)}) {
            top = std::min(top, at);
            bottom = std::max(bottom, at);
        }
        any = true;
    }
    if (!any || box.bottom() < top)
        return 0;
    return box.y > bottom ? 1 : 2;
}

// Whether the box, widened by margin on every side, holds the point.
bool Holds(const Rect& box, double margin, Point point)
{
    const Rect wide{box.x - margin, box.y - margin, box.width + margin + margin, box.height + margin + margin};
    return point.x >= wide.x && point.x <= wide.right() && point.y >= wide.y && point.y <= wide.bottom();
}

} // namespace

Rect PlaceMarkBox(const std::vector<Point>& page, const Rect& plot, Point at, double width, double height,
                  double offset, double gap)
{
    Rect best;
    double bestScore = 0;
    bool found = false;
    for (const double left : {at.x + offset, at.x - offset - width}) {
        for (const double top : {at.y - offset - height, at.y + offset, plot.y + gap, plot.bottom() - gap - height}) {
            Rect box{left, top, width, height};
            box.x = std::clamp(box.x, plot.x + gap, plot.right() - gap - box.width);
            box.y = std::clamp(box.y, plot.y + gap, plot.bottom() - gap - box.height);
            const Point centre = box.centre();
            const double score = 10000.0 * (CoverOf(page, plot, box) + (Holds(box, gap, at) ? 3 : 0))
                                 + std::hypot(centre.x - at.x, centre.y - at.y);
            if (!found || score < bestScore) {
                best = box;
                bestScore = score;
                found = true;
            }
        }
    }
    return best;
}

} // namespace passcat
