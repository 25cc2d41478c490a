// Turning points with hysteresis on hand-worked height profiles.
#include <gtest/gtest.h>

#include <vector>

#include "tracks/climbs.h"

namespace passcat::tracks {
namespace {

struct ClimbCase {
    const char* what;
    std::vector<double> heights;
    double minClimb;
    std::vector<std::pair<std::size_t, std::size_t>> climbs; // bottom, top
};

const ClimbCase kCases[] = {
    {"a rise and a fall", {0, 50, 120, 200, 150, 90, 50}, 100, {{0, 3}}},
    {"a first leg that falls ends no climb", {500, 450, 390, 420, 500, 480}, 100, {{2, 4}}},
    // The last of equal lowest points is the bottom, the first of equal highest the top.
    {"ties", {100, 0, 0, 100, 100, 0, 0, 100}, 100, {{2, 3}, {6, 7}}},
    {"a track that ends rising", {0, 60, 120}, 100, {{0, 2}}},
    {"exactly the minimum climbs", {10, 110}, 100, {{0, 1}}},
    {"short of the minimum by a hair", {10, 109.99999}, 100, {}},
    {"flat", {5, 5, 5, 5}, 100, {}},
    {"one point", {5}, 100, {}},
    {"a fall less than the minimum keeps the climb going", {0, 150, 60, 300, 150}, 100, {{0, 3}}},
    {"a dip below the bottom before the rise", {50, 20, 40, 10, 200, 90}, 100, {{3, 4}}},
    // h(k) >= h(lo) + M in doubles, which h(k) - h(lo) >= M would decide the other way.
    {"the sum as written, short", {0.3, 0.9999999999999999}, 0.7, {}},
    {"the sum as written, enough", {1.1, 1.3}, 0.2, {{0, 1}}},
};

TEST(Climbs, HandWorkedProfiles)
{
    for (const ClimbCase& c : kCases) {
        std::vector<std::pair<std::size_t, std::size_t>> found;
        for (const Climb& climb : FindClimbs(c.heights, c.minClimb))
            found.emplace_back(climb.bottom, climb.top);
        EXPECT_EQ(found, c.climbs) << c.what;
    }
}

// What a track without climbs tells of itself: the most it rose, never a fall.
TEST(Climbs, LargestRise)
{
    const std::pair<std::vector<double>, double> cases[] = {
        {{}, 0}, {{5}, 0}, {{5, 5, 5}, 0}, {{300, 200, 100}, 0},
        {{10, 109.99999}, 109.99999 - 10},
        {{300, 10, 90, 40, 95, 0, 80}, 85}, // from the lowest before the highest, not the lowest of all
    };
    for (const auto& [heights, rise] : cases)
        EXPECT_EQ(LargestRise(heights), rise) << ::testing::PrintToString(heights);
}

} // namespace
} // namespace passcat::tracks
