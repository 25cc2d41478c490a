#include <gtest/gtest.h>

#include "engine/point_scores.h"

namespace passcat {
namespace {

using Doubles = std::vector<double>;

PointScores ScoresOf(const ObstacleBlock& block, bool byLength, int region = 5)
{
    return ComputePointScores(block, DeriveSegmentSeries(block), LoadReferenceTables(region), byLength);
}

TEST(ComputePointScores, SurfaceWorkedExampleUnderBothWeightings)
{
    const ObstacleBlock block{"t", {1000, 1200, 1300}, {0, 1, 3}, {1.0, 2.0, 5.0}, 0};
    const auto byLength = ScoresOf(block, true).surfaceScores;
    EXPECT_NEAR(byLength[0], 1.0 / 3 + 4.0 / 3, 1e-6);
    EXPECT_EQ(byLength[1], 2.0f);
    const auto byHeight = ScoresOf(block, false).surfaceScores;
    EXPECT_NEAR(byHeight[0], 2.0 / 3 + 2.0 / 3, 1e-6);
    EXPECT_EQ(byHeight[1], 2.0f);
}

TEST(ComputePointScores, WorkedExampleScores)
{
    const ObstacleBlock block{"Пример 1", {3100, 3400, 3600, 3900}, {0, 3, 4.5, 6}, {1.2, 1.5, 2, 1}, 0};
    const auto s = ScoresOf(block, false);
    EXPECT_EQ(s.altitudeCoef, 1.76f);
    EXPECT_NEAR(s.pointScores[0], 5.65488, 1e-5);
    EXPECT_NEAR(s.pointScores[1], 6.9696, 1e-5);
    EXPECT_NEAR(s.pointScores[2], 7.274667, 1e-6);
}

TEST(ComputePointScores, LastSurfaceCoefficientEntersNoScore)
{
    ObstacleBlock block{"t", {1000, 1150, 1400}, {0, 1, 2.5}, {1.3, 1.7, 1.0}, 0};
    const auto before = ScoresOf(block, false);
    block.surfaceCoefs.back() = 9.0;
    const auto after = ScoresOf(block, false);
    EXPECT_EQ(before.pointScores, after.pointScores);
    EXPECT_EQ(after.surfaceScores.back(), 1.7f);
}

TEST(ComputePointScores, AltitudeFactorFollowsTheRegion)
{
    const ObstacleBlock block{"t", {2000, 3200}, {0, 4}, {1, 1}, 0};
    EXPECT_NEAR(ScoresOf(block, true, 0).altitudeCoef, 1.62, 1e-6);
    EXPECT_NEAR(ScoresOf(block, true, 3).altitudeCoef, 1.48, 1e-6);
}

} // namespace
} // namespace passcat
