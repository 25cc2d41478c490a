// Douglas-Peucker by vertical deviation on hand-worked profiles.
#include <gtest/gtest.h>

#include <vector>

#include "tracks/simplification.h"

namespace passcat::tracks {
namespace {

struct SimplifyCase {
    const char* what;
    std::vector<double> s, h;
    double tolerance;
    std::vector<std::size_t> kept;
};

const SimplifyCase kCases[] = {
    {"a peak kept, its flanks at exactly the tolerance dropped", {0, 1, 2, 3, 4}, {0, 0, 10, 0, 0}, 5, {0, 2, 4}},
    {"equal deviations: the first is kept", {0, 1, 2, 3}, {0, 10, 10, 0}, 6, {0, 1, 3}},
    {"then the second deviates by 5 from the new chord", {0, 1, 2, 3}, {0, 10, 10, 0}, 4, {0, 1, 2, 3}},
    {"points on the chord go", {0, 1, 3, 4}, {0, 10, 30, 40}, 1, {0, 3}},
    {"tolerance 0 keeps every point, even on the chord", {0, 1, 3, 4}, {0, 10, 30, 40}, 0, {0, 1, 2, 3}},
    // Chord 0..5 deviates most at k=3 (100); chord 0..3 at k=2 (40, k=1 only 13), chord
    // 0..2 at k=1 by 7 only; chord 3..5 at k=4 by 30.
    {"uneven spacing", {0, 10, 20, 50, 90, 100}, {0, 12, 10, 125, 95, 50}, 10, {0, 2, 3, 4, 5}},
    {"two points", {0, 7}, {1, 2}, 10, {0, 1}},
};

TEST(Simplification, HandWorkedProfiles)
{
    for (const SimplifyCase& c : kCases) {
        std::vector<std::size_t> kept;
        SimplifyProfile(c.s, c.h, 0, c.s.size() - 1, c.tolerance, kept);
        EXPECT_EQ(kept, c.kept) << c.what;
    }
}

TEST(Simplification, WorksOnTheClimbOnly)
{
    const std::vector<double> s{0, 1, 2, 3, 4, 5}, h{9, 0, 0, 10, 0, 9};
    std::vector<std::size_t> kept;
    SimplifyProfile(s, h, 1, 4, 5, kept);
    EXPECT_EQ(kept, (std::vector<std::size_t>{1, 3, 4}));
}

} // namespace
} // namespace passcat::tracks
