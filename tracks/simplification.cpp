#include "tracks/simplification.h"

#include <cmath>
#include <utility>

namespace passcat::tracks {

void SimplifyProfile(std::span<const double> s, std::span<const double> h, std::size_t first, std::size_t last,
                     double tolerance, std::vector<std::size_t>& kept)
{
    kept.clear();
    if (tolerance == 0 || last - first < 2) {
        for (std::size_t k = first; k <= last; ++k)
            kept.push_back(k);
        return;
    }
    // Spans still to split, the leftmost on top, so the points come out in order.
    std::vector<std::pair<std::size_t, std::size_t>> spans{{first, last}};
    kept.push_back(first);
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        double largest = 0;
        std::size_t farthest = a;
        for (std::size_t k = a + 1; k < b; ++k) {
            const double deviation = std::fabs(h[k] - (h[a] + (h[b] - h[a]) * (s[k] - s[a]) / (s[b] - s[a])));
            if (deviation > largest) {
                largest = deviation;
                farthest = k;
            }
        }
        if (farthest != a && largest > tolerance) {
            spans.push_back({farthest, b});
            spans.push_back({a, farthest});
        } else {
            kept.push_back(b);
        }
    }
}

} // namespace passcat::tracks
