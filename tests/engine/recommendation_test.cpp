#include <gtest/gtest.h>

#include "engine/recommendation.h"

namespace passcat {
namespace {

struct RecommendationCase {
    const char* name;
    std::vector<float> scores;
    std::vector<double> heights; // one more than scores: the last is the end point
    std::size_t expected;
};

TEST(RecommendPoint, HighestCategoryThenHighestScoreThenFirst)
{
    const RecommendationCase cases[] = {
        {"single candidate", {0.2f}, {1000, 1100}, 0},
        {"categories 4 5 5", {5.0f, 7.0f, 6.5f}, {1000, 1100, 1200, 1300}, 1},
        {"categories 3 2 3", {3.0f, 2.0f, 2.9f}, {1000, 1100, 1200, 1300}, 0},
        {"equal scores keep the first", {7.0f, 7.0f}, {1000, 1100, 1200}, 0},
        {"all category 0", {0.8f, 1.1f, 0.9f}, {1000, 1100, 1200, 1300}, 1},
        {"no score above 0", {0.0f, -1.0f}, {1000, 1100, 1200}, 0},
        {"top category beats a higher score", {8.3f, 8.5f}, {2000, 3000, 4000}, 0},
        {"too little gain for 6", {9.0f, 7.0f}, {3000, 3500, 4000}, 0},
    };
    const auto tables = LoadReferenceTables(5);
    for (const auto& c : cases) {
        const ObstacleBlock block{"t", c.heights, std::vector<double>(c.heights.size()),
                                  std::vector<double>(c.heights.size()), 0};
        PointScores scores;
        scores.pointScores = c.scores;
        const auto r = RecommendPoint(block, scores, tables);
        EXPECT_EQ(r.recommendedPoint, c.expected) << c.name;
        ASSERT_EQ(r.pointCategories.size(), c.scores.size()) << c.name;
    }
}

TEST(RecommendPoint, CategoriesComeFromScoreEndAltitudeAndGain)
{
    const ObstacleBlock block{"t", {2000, 3000, 3800}, {0, 1, 2}, {1, 1, 1}, 0};
    PointScores scores;
    scores.pointScores = {8.3f, 8.5f};
    const auto r = RecommendPoint(block, scores, LoadReferenceTables(5));
    EXPECT_EQ(r.pointCategories, (std::vector<std::int16_t>{6, 5}));
    const auto himalaya = RecommendPoint(block, scores, LoadReferenceTables(4));
    EXPECT_EQ(himalaya.pointCategories, (std::vector<std::int16_t>{5, 5}));
    EXPECT_EQ(himalaya.recommendedPoint, 1u);
}

} // namespace
} // namespace passcat
