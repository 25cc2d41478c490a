#include "tracks/track_profile.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace passcat::tracks {
namespace {

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

void DropRepeatedPositions(Track& track)
{
    std::size_t kept = 0;
    for (std::size_t k = 0; k < track.size(); ++k) {
        if (kept > 0 && track.latitudes[k] == track.latitudes[kept - 1] &&
            track.longitudes[k] == track.longitudes[kept - 1])
            continue;
        track.latitudes[kept] = track.latitudes[k];
        track.longitudes[kept] = track.longitudes[k];
        track.elevations[kept] = track.elevations[k];
        ++kept;
    }
    track.latitudes.resize(kept);
    track.longitudes.resize(kept);
    track.elevations.resize(kept);
}

void MeasureDistances(std::span<const double> latitudes, std::span<const double> longitudes,
                      std::vector<double>& distances)
{
    const std::size_t count = latitudes.size();
    distances.resize(count);
    if (count == 0)
        return;
    const GeographicLib::Geodesic& earth = GeographicLib::Geodesic::WGS84();
    distances[0] = 0;
    for (std::size_t k = 1; k < count; ++k) {
        double step = 0;
        earth.Inverse(latitudes[k - 1], longitudes[k - 1], latitudes[k], longitudes[k], step);
        distances[k] = distances[k - 1] + step;
    }
}

std::optional<ElevatedSpan> InterpolateElevations(std::span<double> h, std::span<const double> s)
{
    const auto first = std::find_if(h.begin(), h.end(), HasElevation);
    if (first == h.end())
        return std::nullopt;
    const std::size_t last = static_cast<std::size_t>(std::find_if(h.rbegin(), h.rend(), HasElevation).base() - h.begin()) - 1;
    std::size_t a = static_cast<std::size_t>(first - h.begin());
    const ElevatedSpan span{a, last};
    for (std::size_t k = a + 1; k <= last; ++k) {
        if (HasElevation(h[k])) {
            a = k;
            continue;
        }
        std::size_t b = k + 1;
        while (!HasElevation(h[b]))
            ++b;
        const double width = s[b] - s[a];
        // Positions apart at no distance (the two sides of a pole) give no slope.
        for (; k < b; ++k)
            h[k] = width == 0 ? h[a] : h[a] + (h[b] - h[a]) * (s[k] - s[a]) / width;
        a = b;
    }
    return span;
}

void SmoothHeights(std::span<double> h, int window)
{
    const std::size_t count = h.size();
    const std::size_t radius = static_cast<std::size_t>(std::max(window, 1) - 1) / 2;
    if (radius == 0 || count < 3)
        return;
    // The heights before k as they were, as far back as a window reaches (and one more,
    // which the sliding window lets go of at k).
    std::vector<double> before(std::min(radius, count) + 1);
    const auto unsmoothed = [&](std::size_t j, std::size_t k) { return j < k ? before[j % before.size()] : h[j]; };
    const auto replace = [&](std::size_t k, double median) {
        before[k % before.size()] = h[k];
        h[k] = median;
    };
    if (2 * radius + 1 <= kDirectWindow) {
        double values[kDirectWindow];
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t r = Radius(k, count, radius);
            for (std::size_t j = 0; j <= 2 * r; ++j)
                values[j] = unsmoothed(k - r + j, k);
            std::nth_element(values, values + r, values + 2 * r + 1, HeightLess{});
            replace(k, values[r]);
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
            median.insert(h[high]);
        for (; low < k - r; ++low)
            median.erase(unsmoothed(low, k));
        replace(k, median.median());
    }
}

} // namespace passcat::tracks
