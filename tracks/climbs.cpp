#include "tracks/climbs.h"

#include <algorithm>

namespace passcat::tracks {

std::vector<Climb> FindClimbs(std::span<const double> h, double minClimb)
{
    enum class Mode { None, Up, Down };
    std::vector<Climb> climbs;
    Mode mode = Mode::None;
    std::size_t lo = 0; // the last lowest point since the last top
    std::size_t hi = 0; // the first highest point since the last bottom
    std::size_t bottom = 0;
    const auto turnUp = [&](std::size_t k) {
        bottom = lo;
        mode = Mode::Up;
        hi = k;
    };
    const auto turnDown = [&](std::size_t k) {
        climbs.push_back({bottom, hi});
        mode = Mode::Down;
        lo = k;
    };
    for (std::size_t k = 1; k < h.size(); ++k) {
        switch (mode) {
        case Mode::None:
            if (h[k] <= h[lo])
                lo = k;
            if (h[k] > h[hi])
                hi = k;
            if (h[k] >= h[lo] + minClimb) {
                turnUp(k);
            } else if (h[k] <= h[hi] - minClimb) {
                // A first leg that falls: its top ends no climb.
                mode = Mode::Down;
                lo = k;
            }
            break;
        case Mode::Up:
            if (h[k] > h[hi])
                hi = k;
            else if (h[k] <= h[hi] - minClimb)
                turnDown(k);
            break;
        case Mode::Down:
            if (h[k] <= h[lo])
                lo = k;
            else if (h[k] >= h[lo] + minClimb)
                turnUp(k);
            break;
        }
    }
    if (mode == Mode::Up)
        climbs.push_back({bottom, hi});
    return climbs;
}

double LargestRise(std::span<const double> h)
{
    double rise = 0;
    double lowest = h.empty() ? 0 : h.front();
    for (const double height : h) {
        lowest = std::min(lowest, height);
        rise = std::max(rise, height - lowest);
    }
    return rise;
}

} // namespace passcat::tracks
