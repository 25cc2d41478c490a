#include <gtest/gtest.h>

#include <cmath>

#include "engine/lookup.h"

namespace passcat {
namespace {

struct LookupCase {
    double x;
    float expected;
};

TEST(InterpolateLinear, StoresEveryStepInSinglePrecision)
{
    // Slope-intercept form lands one bit above the single nearest 1.3.
    const float result = InterpolateLinear(800, 1.2f, 1100, 1.4f, 950);
    EXPECT_EQ(result, std::nextafter(1.3f, 2.0f));
    EXPECT_DOUBLE_EQ(static_cast<double>(result), 1.3000000715255737);
}

TEST(LookupCoefficient, Steepness)
{
    const auto t = LoadReferenceTables(5);
    const LookupCase cases[] = {
        {3, 1.0f}, {-7.5, 1.0f}, {4, 1.0f}, {6, 1.1f}, {15, 2.0f}, {20, 2.0f},
        {10, InterpolateLinear(9, 1.3f, 12, 1.5f, 10)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookupCoefficient(t.gradeNodes, t.steepnessCoefTable, c.x), c.expected) << c.x;
    EXPECT_NEAR(LookupCoefficient(t.gradeNodes, t.steepnessCoefTable, 10), 1.3666667, 1e-6);
}

TEST(LookupCoefficient, HeightGain)
{
    const auto t = LoadReferenceTables(5);
    const LookupCase cases[] = {
        {100, 1.0f}, {-300, 1.0f}, {200, 1.0f}, {800, 1.2f}, {950, std::nextafter(1.3f, 2.0f)}, {1500, 2.1f},
        {4000, 2.1f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookupCoefficient(t.gainNodes, t.gainCoefTable, c.x), c.expected) << c.x;
    EXPECT_NEAR(LookupCoefficient(t.gainNodes, t.gainCoefTable, 1250), 1.55, 1e-6);
}

TEST(LookupCoefficient, AltitudeDependsOnTheRegion)
{
    struct AltitudeCase {
        int region;
        double altitude;
        double expected;
    };
    const AltitudeCase cases[] = {
        {0, -50, 1}, {0, 0, 1}, {0, 2750, 1.45}, {0, 3200, 1.62}, {0, 5000, 1.8}, {0, 6000, 1.8},
        {3, -50, 1}, {3, 0, 1}, {3, 2750, 1.35}, {3, 3200, 1.48}, {3, 5000, 2.4}, {3, 6000, 2.4},
        {2, 1000, 1.4}, {2, 1500, 1.6}, {2, 4400, 1.6},
    };
    for (const auto& c : cases) {
        const auto t = LoadReferenceTables(c.region);
        EXPECT_NEAR(LookupCoefficient(t.altitudeNodes, t.altitudeCoefTable, c.altitude), c.expected, 1e-6)
            << c.region << " " << c.altitude;
    }
}

TEST(LookupCoefficient, ValueOnANodeGetsThatNodesCoefficient)
{
    const auto t = LoadReferenceTables(1);
    for (std::size_t k = 0; k < t.altitudeNodes.size(); ++k)
        EXPECT_EQ(LookupCoefficient(t.altitudeNodes, t.altitudeCoefTable, t.altitudeNodes[k]), t.altitudeCoefTable[k]);
}

TEST(CategoryFromScore, ThresholdsBelongToTheLowerCategory)
{
    const auto t = LoadReferenceTables(0);
    struct ScoreCase {
        float score;
        std::int16_t expected;
    };
    const ScoreCase cases[] = {
        {-3.0f, 0}, {0.0f, 0}, {1.2f, 0}, {std::nextafter(1.2f, 2.0f), 1}, {1.6f, 1}, {2.0f, 2}, {2.6f, 2},
        {4.0f, 3}, {5.0f, 4}, {6.0f, 4}, {7.0f, 5}, {8.1f, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CategoryFromScore(t, c.score, 6000, 3000), c.expected) << c.score;
}

TEST(CategoryFromScore, TopCategoryNeedsTheRegionsMinima)
{
    struct TopCase {
        int region;
        float altitude;
        float gain;
        std::int16_t expected;
    };
    const TopCase cases[] = {
        {0, 3000, 1400, 6}, {0, 2999, 1400, 5}, {0, 3500, 1399, 5},
        {0, 3500, static_cast<float>(1399.99995), 6},
        {4, 4000, 2000, 5}, {3, 4000, 2000, 6}, {5, 3700, 1500, 6}, {5, 3699, 1500, 5},
        {2, 1200, 500, 6}, {2, 1200, 499, 5}, {1, 2500, 800, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CategoryFromScore(LoadReferenceTables(c.region), 9.0f, c.altitude, c.gain), c.expected)
            << c.region << " " << c.altitude << " " << c.gain;
}

} // namespace
} // namespace passcat
