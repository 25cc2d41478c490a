// The profile of a track: repeated positions, geodesic distances, interpolated
// elevations and medians, on hand-worked cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tracks/track_profile.h"

namespace passcat::tracks {
namespace {

constexpr double kNone = kNoElevation;

TEST(Profile, DropsAPositionEqualToTheOneKeptBefore)
{
    Track track;
    for (const auto& [lat, lon, ele] : {std::tuple{1.0, 1.0, 10.0}, {1.0, 1.0, 20.0}, {1.0, 1.0, kNone},
                                        {1.0, 2.0, 5.0}, {1.0, 1.0, 7.0}, {-0.0, 1.0, 1.0}, {0.0, 1.0, 2.0}})
        track.add(lat, lon, ele);
    DropRepeatedPositions(track);
    // The first of the repeats, elevation and all; back at an earlier position is kept;
    // 0 after -0 is the same latitude.
    EXPECT_EQ(track.elevations, (std::vector<double>{10, 5, 7, 1}));
    EXPECT_EQ(track.longitudes, (std::vector<double>{1, 2, 1, 1}));
}

TEST(Profile, GeodesicDistancesOnTheEllipsoid)
{
    // One degree of the meridian at the equator, back, and one along the equator, on WGS84.
    std::vector<double> s;
    MeasureDistances(std::vector<double>{0, 1, 1, 0, 0}, std::vector<double>{0, 0, 0, 0, 1}, s);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], 0);
    EXPECT_NEAR(s[1], 110574.388556, 1e-5);
    EXPECT_EQ(s[2], s[1]);
    EXPECT_EQ(s[3], s[1] + s[1]);
    EXPECT_NEAR(s[4] - s[3], 111319.490793, 1e-5);
}

TEST(Profile, InterpolatesBetweenElevationsByDistance)
{
    std::vector<double> h{kNone, 100, kNone, kNone, 200, kNone};
    const std::vector<double> s{0, 10, 30, 60, 110, 120};
    const auto span = InterpolateElevations(h, s);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->first, 1u);
    EXPECT_EQ(span->last, 4u);
    EXPECT_EQ(h[2], 120); // 100 + 100 x 20 / 100
    EXPECT_EQ(h[3], 150);
    EXPECT_FALSE(HasElevation(h[0]) || HasElevation(h[5]));

    std::vector<double> none{kNone, kNone};
    EXPECT_FALSE(InterpolateElevations(none, std::vector<double>{0, 1}));
}

TEST(Profile, MediansWithTheWindowShrunkAtTheEnds)
{
    const std::tuple<std::vector<double>, int, std::vector<double>> cases[] = {
        {{5, 1, 4, 2, 3, 9, 0}, 5, {5, 4, 3, 3, 3, 3, 0}},
        {{5, 1, 4, 2, 3, 9, 0}, 3, {5, 4, 2, 3, 3, 3, 0}},
        {{5, 1, 4, 2, 3, 9, 0}, 1, {5, 1, 4, 2, 3, 9, 0}},
        {{5, 1, 4}, 99, {5, 4, 4}},
        {{7, 3}, 5, {7, 3}},
    };
    for (auto [heights, window, medians] : cases) {
        SmoothHeights(heights, window);
        EXPECT_EQ(heights, medians) << "window " << window;
    }
}

TEST(Profile, LargeWindowsGiveTheDirectMedians)
{
    std::vector<double> elevations;
    for (int k = 0; k < 90; ++k)
        elevations.push_back((k * 37) % 23 + (k % 5 == 0 ? 0.5 : 0)); // with repeats
    for (const int window : {29, 31, 33, 35, 61, 179, 181}) {
        std::vector<double> heights = elevations;
        SmoothHeights(heights, window);
        for (std::size_t k = 0; k < elevations.size(); ++k) {
            const std::size_t r = std::min<std::size_t>({static_cast<std::size_t>(window / 2), k, elevations.size() - 1 - k});
            std::vector<double> around(elevations.begin() + static_cast<long>(k - r),
                                       elevations.begin() + static_cast<long>(k + r + 1));
            std::sort(around.begin(), around.end());
            ASSERT_EQ(heights[k], around[r]) << "window " << window << ", point " << k;
        }
    }
}

} // namespace
} // namespace passcat::tracks
