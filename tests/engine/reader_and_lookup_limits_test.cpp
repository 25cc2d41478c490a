// Limits no profile file shows: the points an oversized block keeps, a read result
// used again, the lookup outside its nodes and on equal ones, and the category rule at
// each threshold and each region's minima for the top category.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <tuple>

#include "engine/block_evaluation.h"
#include "engine/block_reader.h"
#include "engine/lookup.h"
#include "engine/text_lines.h"

namespace {

using namespace passcat;

// A block whose point i reads i, 2i and 3i.
std::string Block(const std::string& title, std::size_t points)
{
    std::string text = title + "\n";
    for (std::size_t i = 0; i < points; ++i)
        text += std::to_string(i) + "\t" + std::to_string(2 * i) + "\tx\t" + std::to_string(3 * i) + "\n";
    return text + "@@@\n";
}

// An oversized block keeps its real first and last points; reading into the same
// result again, after every other kind of result, gives what a fresh result gets.
TEST(ReadObstacleBlock, OversizedBlocksAndAResultReadIntoAgain)
{
    std::string text = Block("ok", 3) + "bad\n1\t2\t3\n1\t2\n4\t5\t6\n@@@\n";
    for (const std::size_t n : {kMaxPointsPerBlock, kMaxPointsPerBlock + 1, kMaxPointsPerBlock + 2, kMaxPointsPerBlock + 50})
        text += Block(std::to_string(n), n) + Block("small", 2);
    text += "empty\n@@@\n \n\t\n";
    const auto fields = [](const BlockReadResult& r) {
        return std::tie(r.status, r.block.title, r.block.heights, r.block.distances, r.block.surfaceCoefs,
                        r.block.droppedPoints, r.titleLineNumber, r.fault);
    };
    TextLineSource freshInput(text), reusedInput(text);
    BlockReadResult reused;
    while (!freshInput.atEnd()) {
        const BlockReadResult fresh = ReadObstacleBlock(freshInput);
        ReadObstacleBlock(reusedInput, reused);
        EXPECT_TRUE(fields(reused) == fields(fresh)) << "block \"" << fresh.block.title << '"';
        const ObstacleBlock& block = fresh.block;
        const std::size_t n = std::strtoull(block.title.c_str(), nullptr, 10), kept = std::min(n, kMaxPointsPerBlock + 1);
        ASSERT_TRUE(n == 0
                    || (block.heights.size() == kept && block.distances.size() == kept && block.surfaceCoefs.size() == kept));
        EXPECT_EQ(block.droppedPoints, n - kept);
        for (std::size_t i = 0; i < kept; ++i) {
            const auto point = static_cast<double>(i + 1 == kept ? n - 1 : i);
            ASSERT_TRUE(block.heights[i] == point && block.distances[i] == 2 * point && block.surfaceCoefs[i] == 3 * point)
                << n << " points, point " << i;
        }
    }
}

TEST(LookupCoefficient, HeldOutsideTheNodesTakenOnThemInterpolatedBetween)
{
    constexpr float kNodes[] = {1, 2, 2, 4}, kCoefs[] = {10, 20, 30, 50};
    const std::pair<double, float> cases[] = {{-1e300, 10}, {0.5, 10}, {1, 10}, {1.5, 15}, {std::nextafter(2.0, 0.0), 20},
                                              {2, 30}, {3, 40}, {4, 50}, {1e300, 50}};
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(LookupCoefficient(kNodes, kCoefs, x), expected) << x;
    // Each step of the interpolation is stored in single precision: one bit above 1.3.
    const ReferenceTables t = LoadReferenceTables(5);
    EXPECT_EQ(LookupCoefficient(t.gainNodes, t.gainCoefTable, 950), std::nextafter(1.3f, 2.0f));
}

TEST(CategoryFromScore, ThresholdsAndTheTopCategorysMinima)
{
    const float thresholds[] = {1.2f, 1.6f, 2.6f, 4.0f, 6.0f, 8.1f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(CategoryFromScore(LoadReferenceTables(0), thresholds[i], 9000, 9000), i);
        EXPECT_EQ(CategoryFromScore(LoadReferenceTables(0), std::nextafter(thresholds[i], 9.0f), 9000, 9000), i + 1);
    }
    // Altitude and gain, each at least the region's minimum; an index outside is held to the nearest region.
    const float minima[kRegionCount][2] = {{3000, 1400}, {2500, 800}, {1200, 500}, {3700, 1500}, {5000, 1500}, {3700, 1500}};
    for (int region = -1; region <= kRegionCount; ++region) {
        const ReferenceTables t = LoadReferenceTables(region);
        const auto [altitude, gain] = minima[std::clamp(region, 0, kRegionCount - 1)];
        EXPECT_EQ(CategoryFromScore(t, 9.0f, altitude, gain), 6) << "region " << region;
        EXPECT_EQ(CategoryFromScore(t, 9.0f, std::nextafter(altitude, 0.0f), gain), 5) << "region " << region;
        EXPECT_EQ(CategoryFromScore(t, 9.0f, altitude, std::nextafter(gain, 0.0f)), 5) << "region " << region;
    }
}

// Steady 10% on 1.5 km: every point scores the same, and the first of them is recommended.
TEST(RecommendPoint, TheFirstOfEqualBestPoints)
{
    const ObstacleBlock block{"Ровный", {3000, 3050, 3100, 3150}, {0, 0.5, 1, 1.5}, {1, 1, 1, 1}};
    const BlockRating rating = RateBlock(block, EvaluationSettings{}, 1);
    ASSERT_TRUE(rating.rated.has_value());
    const std::vector<float>& scores = rating.rated->ratings.scores.pointScores;
    ASSERT_TRUE(scores.size() == 3 && scores[0] == scores[1] && scores[1] == scores[2]);
    EXPECT_EQ(rating.summary.recommendedPoint, 0u);
}

} // namespace
