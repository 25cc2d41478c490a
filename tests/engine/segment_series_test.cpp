#include <gtest/gtest.h>

#include "engine/messages.h"
#include "engine/segment_series.h"

namespace passcat {
namespace {

using Doubles = std::vector<double>;

ObstacleBlock Block(Doubles heights, Doubles distances)
{
    Doubles surface(heights.size(), 1.0);
    return {"t", std::move(heights), std::move(distances), std::move(surface), 0};
}

TEST(DeriveSegmentSeries, WorkedExample)
{
    const auto s = DeriveSegmentSeries(Block({1000, 1100, 1300}, {0, 1, 2}));
    EXPECT_EQ(s.deltaDistances, (Doubles{1, 1}));
    EXPECT_EQ(s.deltaHeights, (Doubles{100, 200}));
    EXPECT_EQ(s.segmentGrades, (Doubles{10, 20}));
    EXPECT_EQ(s.remainingGrades, (Doubles{15, 20}));
}

TEST(DeriveSegmentSeries, TwoPointsGiveOneSegmentWhoseGradesAgree)
{
    const auto s = DeriveSegmentSeries(Block({1000, 1230}, {0.5, 2.2}));
    ASSERT_EQ(s.segmentGrades.size(), 1u);
    EXPECT_EQ(s.remainingGrades[0], s.segmentGrades[0]);
}

TEST(DeriveSegmentSeries, DipsBelowTheStartGiveNegativeValues)
{
    const auto s = DeriveSegmentSeries(Block({1000, 900, 1400, 1200}, {0, 1, 2, 3}));
    EXPECT_EQ(s.deltaHeights, (Doubles{-100, 500, -200}));
    EXPECT_LT(s.remainingGrades[2], 0);
}

TEST(CheckProfile, FirstFailingCheckDecides)
{
    struct CheckCase {
        const char* name;
        Doubles heights, distances;
        bool byLength;
        std::optional<std::string> message;
    };
    const CheckCase cases[] = {
        {"middle points may go anywhere", {1000, 800, 1500, 1200}, {0, 5, 1, 2}, true, std::nullopt},
        {"empty", {}, {}, false, std::string(messages::kTooFewPoints)},
        {"fails checks 2 and 3", {1000, 900}, {1, 1}, false, std::string(messages::kEndNotHigher)},
        {"same distance as next, before end", {1000, 1100, 1200, 1300}, {0, 1, 1, 2}, false,
         messages::SameDistanceAsNext(1)},
        {"last segment without length", {1000, 1100, 1300}, {0, 1, 1}, true, messages::SameDistanceAsEnd(1)},
        {"early point at the end distance", {1000, 1100, 1300}, {0, 2, 2}, true, messages::SameDistanceAsEnd(1)},
        {"level last segment by height", {1000, 1300, 1300}, {0, 1, 2}, false, messages::SameHeightAsEnd(1)},
        {"level last segment by length", {1000, 1300, 1300}, {0, 1, 2}, true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckProfile(Block(c.heights, c.distances), c.byLength), c.message) << c.name;
}

} // namespace
} // namespace passcat
