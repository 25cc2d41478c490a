#include <gtest/gtest.h>

#include <random>

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

// The surface score is the ascending single-precision sum; compare against the sum
// written out the plain way, bit for bit, on random blocks.
TEST(ComputeSurfaceScores, EqualsThePlainAscendingSum)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> step(0.001, 3.0);
    std::uniform_real_distribution<double> coef(0.5, 3.0);
    for (int round = 0; round < 50; ++round) {
        const std::size_t n = 2 + random() % 300;
        Doubles values{0}, deltas, coefs;
        for (std::size_t i = 1; i < n; ++i) {
            values.push_back(values.back() + step(random));
            deltas.push_back(values[i] - values[i - 1]);
        }
        for (std::size_t i = 0; i < n; ++i)
            coefs.push_back(coef(random));
        const auto scores = ComputeSurfaceScores(values, deltas, coefs);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            float sum = 0;
            for (std::size_t j = i; j + 1 < n; ++j)
                sum = static_cast<float>(static_cast<double>(sum) + deltas[j] / (values[n - 1] - values[i]) * coefs[j]);
            ASSERT_EQ(scores[i], sum) << round << " " << i;
        }
    }
}

} // namespace
} // namespace passcat
