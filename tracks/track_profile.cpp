#include "tracks/track_profile.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <thread>

namespace passcat::tracks {
namespace {

// Below this many points a thread of its own costs more than it saves.
constexpr std::size_t kPointsPerThread = 4096;
// Windows up to this size take their median directly, larger ones from a sorted window.
constexpr std::size_t kDirectWindow = 31;

// Heights in a strict weak order even if one is NaN (an overflow of absurd
// elevations): NaN above everything.
struct HeightLess {
    bool operator()(double a, double b) const { return std::isnan(b) ? !std::isnan(a) : a < b; }
};

// The window [k - r, k + r] of every point, r shrunk near the ends.
std::size_t Radius(std::size_t k, std::size_t count, std::size_t radius)
{
    return std::min({radius, k, count - 1 - k});
}

// The median of a window that slides along: the lower half (with the median as its
// largest) and the upper half, each sorted.
class SlidingMedian {
public:
    void insert(double value)
    {
        if (lower_.empty() || !HeightLess{}(*lower_.rbegin(), value))
            lower_.insert(value);
        else
            upper_.insert(value);
        balance();
    }
    void erase(double value)
    {
        if (!HeightLess{}(*lower_.rbegin(), value))
            lower_.erase(lower_.find(value));
        else
            upper_.erase(upper_.find(value));
        balance();
    }
    // Of an odd count of values.
    double median() const { return *lower_.rbegin(); }

private:
    void balance()
    {
        while (lower_.size() > upper_.size() + 1) {
            upper_.insert(*lower_.rbegin());
            lower_.erase(std::prev(lower_.end()));
        }
        while (lower_.size() < upper_.size()) {
            lower_.insert(*upper_.begin());
            upper_.erase(upper_.begin());
        }
    }

    std::multiset<double, HeightLess> lower_;
    std::multiset<double, HeightLess> upper_;
};

} // namespace

void DropRepeatedPositions(std::vector<TrackPoint>& points)
{
    const auto end = std::unique(points.begin(), points.end(), [](const TrackPoint& kept, const TrackPoint& next) {
        return next.latitude == kept.latitude && next.longitude == kept.longitude;
    });
    points.erase(end, points.end());
}

void MeasureDistances(std::span<const TrackPoint> points, std::vector<double>& distances, unsigned threads)
{
    distances.resize(points.size());
    if (points.empty())
        return;
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    // First every step on its own, then their sums in point order.
    const auto measure = [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = std::max<std::size_t>(begin, 1); k < end; ++k) {
            double step = 0;
            earth.Inverse(points[k - 1].latitude, points[k - 1].longitude, points[k].latitude, points[k].longitude, step);
            distances[k] = step;
        }
    };
    const std::size_t parts = std::clamp<std::size_t>(points.size() / kPointsPerThread, 1, std::max(threads, 1u));
    std::vector<std::jthread> helpers;
    for (std::size_t part = 1; part < parts; ++part)
        helpers.emplace_back(measure, points.size() * part / parts, points.size() * (part + 1) / parts);
    measure(0, points.size() / parts);
    helpers.clear();
    distances[0] = 0;
    for (std::size_t k = 1; k < points.size(); ++k)
        distances[k] = distances[k - 1] + distances[k];
}

std::optional<ElevatedSpan> InterpolateElevations(std::span<TrackPoint> points, std::span<const double> distances)
{
    const auto has = [](const TrackPoint& point) { return point.hasElevation(); };
    const auto first = std::find_if(points.begin(), points.end(), has);
    if (first == points.end())
        return std::nullopt;
    const auto last = std::find_if(points.rbegin(), points.rend(), has).base() - 1;
    std::size_t a = static_cast<std::size_t>(first - points.begin());
    const std::size_t end = static_cast<std::size_t>(last - points.begin());
    for (std::size_t k = a + 1; k <= end; ++k) {
        if (points[k].hasElevation()) {
            a = k;
            continue;
        }
        std::size_t b = k + 1;
        while (!points[b].hasElevation())
            ++b;
        const double ha = points[a].elevation;
        const double hb = points[b].elevation;
        const double sa = distances[a];
        const double span = distances[b] - sa;
        // Positions apart at no distance (the two sides of a pole) give no slope.
        for (; k < b; ++k)
            points[k].elevation = span == 0 ? ha : ha + (hb - ha) * (distances[k] - sa) / span;
        a = b;
    }
    return ElevatedSpan{static_cast<std::size_t>(first - points.begin()), end};
}

void SmoothHeights(std::span<const TrackPoint> points, int window, std::vector<double>& heights)
{
    const std::size_t count = points.size();
    const std::size_t radius = static_cast<std::size_t>(std::max(window, 1) - 1) / 2;
    heights.resize(count);
    if (count == 0)
        return;
    if (radius == 0) {
        for (std::size_t k = 0; k < count; ++k)
            heights[k] = points[k].elevation;
        return;
    }
    if (2 * radius + 1 <= kDirectWindow) {
        double values[kDirectWindow];
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t r = Radius(k, count, radius);
            for (std::size_t j = 0; j <= 2 * r; ++j)
                values[j] = points[k - r + j].elevation;
            std::nth_element(values, values + r, values + 2 * r + 1, HeightLess{});
            heights[k] = values[r];
        }
        return;
    }
    // The window's ends only move forward: points enter at its top, leave at its bottom.
    SlidingMedian median;
    std::size_t low = 0;
    std::size_t high = 0; // one past the window
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t r = Radius(k, count, radius);
        for (; high < k + r + 1; ++high)
            median.insert(points[high].elevation);
        for (; low < k - r; ++low)
            median.erase(points[low].elevation);
        heights[k] = median.median();
    }
}

} // namespace passcat::tracks
