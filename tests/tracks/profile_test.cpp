// The profile of a track: repeated positions, geodesic distances, interpolated
// elevations and medians, on hand-worked cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tracks/track_profile.h"

namespace passcat::tracks {
namespace {

constexpr double kNone = kNoElevation;

std::vector<TrackPoint> WithElevations(const std::vector<double>& elevations)
{
    std::vector<TrackPoint> points;
    for (std::size_t k = 0; k < elevations.size(); ++k)
        points.push_back({0, static_cast<double>(k) * 1e-3, elevations[k]});
    return points;
}

TEST(Profile, DropsAPositionEqualToTheOneKeptBefore)
{
    std::vector<TrackPoint> points{{1, 1, 10}, {1, 1, 20}, {1, 1, kNone}, {1, 2, 5}, {1, 1, 7}, {-0.0, 1, 1}, {0, 1, 2}};
    DropRepeatedPositions(points);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].elevation, 10); // the first of the repeats, elevation and all
    EXPECT_EQ(points[1].longitude, 2);
    EXPECT_EQ(points[2].elevation, 7); // back at an earlier position: kept
    EXPECT_EQ(points[3].elevation, 1); // and 0 after -0 is the same latitude
}

TEST(Profile, GeodesicDistancesOnTheEllipsoid)
{
    // One degree of the meridian at the equator, and along the equator, on WGS84.
    const std::vector<TrackPoint> points{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 1, 0}};
    std::vector<double> s;
    MeasureDistances(points, s);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], 0);
    EXPECT_NEAR(s[1], 110574.388556, 1e-5);
    EXPECT_EQ(s[2], s[1]);
    EXPECT_EQ(s[3], s[1] + s[1]);
    EXPECT_NEAR(s[4] - s[3], 111319.490793, 1e-5);
}

TEST(Profile, DistancesOnThreadsAreTheSameSums)
{
    std::vector<TrackPoint> points;
    for (int k = 0; k < 20000; ++k)
        points.push_back({43 + 1e-4 * (k % 7), 42 + 1e-4 * k, 0});
    std::vector<double> one, several;
    MeasureDistances(points, one, 1);
    MeasureDistances(points, several, 3);
    EXPECT_EQ(one, several);
}

TEST(Profile, InterpolatesBetweenElevationsByDistance)
{
    std::vector<TrackPoint> points = WithElevations({kNone, 100, kNone, kNone, 200, kNone});
    const std::vector<double> s{0, 10, 30, 60, 110, 120};
    const auto span = InterpolateElevations(points, s);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->first, 1u);
    EXPECT_EQ(span->last, 4u);
    EXPECT_EQ(points[2].elevation, 120); // 100 + 100 x 20 / 100
    EXPECT_EQ(points[3].elevation, 150);
    EXPECT_FALSE(points[0].hasElevation());
    EXPECT_FALSE(points[5].hasElevation());

    std::vector<TrackPoint> none = WithElevations({kNone, kNone});
    EXPECT_FALSE(InterpolateElevations(none, std::vector<double>{0, 1}));
}

struct MedianCase {
    std::vector<double> elevations;
    int window;
    std::vector<double> heights;
};

TEST(Profile, MediansWithTheWindowShrunkAtTheEnds)
{
    const MedianCase cases[] = {
        {{5, 1, 4, 2, 3, 9, 0}, 5, {5, 4, 3, 3, 3, 3, 0}},
        {{5, 1, 4, 2, 3, 9, 0}, 3, {5, 4, 2, 3, 3, 3, 0}},
        {{5, 1, 4, 2, 3, 9, 0}, 1, {5, 1, 4, 2, 3, 9, 0}},
        {{5, 1, 4}, 99, {5, 4, 4}},
        {{7, 3}, 5, {7, 3}},
    };
    for (const MedianCase& c : cases) {
        std::vector<double> heights;
        SmoothHeights(WithElevations(c.elevations), c.window, heights);
        EXPECT_EQ(heights, c.heights) << "window " << c.window;
    }
}

TEST(Profile, LargeWindowsGiveTheDirectMedians)
{
    std::vector<double> elevations;
    for (int k = 0; k < 90; ++k)
        elevations.push_back((k * 37) % 23 + (k % 5 == 0 ? 0.5 : 0)); // with repeats
    const std::vector<TrackPoint> points = WithElevations(elevations);
    for (const int window : {29, 31, 33, 35, 61, 179, 181}) {
        std::vector<double> heights;
        SmoothHeights(points, window, heights);
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
