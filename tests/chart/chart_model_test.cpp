#include <gtest/gtest.h>

#include <cmath>

#include "chart/chart_mark_box.h"
#include "chart/chart_model.h"
#include "chart/chart_readout.h"
#include "tests/chart/chart_fixture.h"

namespace passcat {
namespace {

using testing::ChartOfInput;

// Every segment lies under exactly one area, in order, of its own category.
void ExpectFillsCover(const ChartModel& model, const RatedBlock& rated)
{
    std::size_t next = 0;
    for (const ChartFill& fill : model.fills) {
        EXPECT_EQ(fill.first, next);
        for (std::size_t i = fill.first; i < fill.last; ++i)
            EXPECT_EQ(fill.category, rated.ratings.recommendation.pointCategories[i]) << "segment " << i;
        next = fill.last;
    }
    EXPECT_EQ(next + 1, rated.block.heights.size());
}

// Ticks are whole multiples of one step of 1, 2 or 5 times a power of ten.
void ExpectRoundTicks(const ChartAxis& axis)
{
    ASSERT_GE(axis.ticks.size(), 2u);
    const double step = axis.ticks[1] - axis.ticks[0];
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9);
    for (const double tick : axis.ticks)
        EXPECT_NEAR(tick / step, std::round(tick / step), 1e-6) << tick;
}

TEST(ChartModel, WorkedExample)
{
    const RatedBlock rated = testing::RatedBlockOfInput(testing::kWorkedExampleInput);
    const ChartModel model = ChartOfRatedBlock(rated, ',');
    EXPECT_EQ(model.title, "Пример 1");
    ASSERT_EQ(model.fills.size(), 2u);
    EXPECT_EQ(model.fills[0].category, 4);
    EXPECT_EQ(model.fills[1].category, 5);
    ExpectFillsCover(model, rated);
    ASSERT_EQ(model.legend.size(), 2u);
    EXPECT_EQ(model.legend[1].label, "Категория 5");
    ASSERT_TRUE(model.mark);
    EXPECT_EQ(model.mark->x, 4.5);
    EXPECT_EQ(model.mark->y, 3600);
    EXPECT_EQ(model.mark->category, 5);
    EXPECT_EQ(model.mark->categoryText, "Категория сложности: 5");
    EXPECT_EQ(model.mark->scoreText, "Балл: 7,274667");
    EXPECT_EQ(model.xAxis.low, 0);
    EXPECT_EQ(model.xAxis.high, 6);
    EXPECT_EQ(model.xAxis.tickLabels, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(model.yAxis.low, 3000);
    EXPECT_EQ(model.yAxis.high, 4000);
}

TEST(ChartModel, CategoryColoursGoFromLightToDarkAndStayApart)
{
    const auto lightness = [](Rgb c) { return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue; };
    for (int category = 1; category < kChartCategoryCount; ++category)
        EXPECT_LT(lightness(CategoryColour(category)) + 15, lightness(CategoryColour(category - 1))) << category;
    EXPECT_EQ(CategoryColour(-1), CategoryColour(0));
    EXPECT_EQ(CategoryColour(9), CategoryColour(6));
}

TEST(ChartModel, BlockDippingBelowItsStart)
{
    const RatedBlock rated = testing::RatedBlockOfInput("Спуск и подъем\n2000\t0\t1\n1730\t1.4\t1\n1650\t2.1\t1\n2600\t3.7\t1\n@@@\n");
    const ChartModel model = ChartOfRatedBlock(rated, '.');
    EXPECT_LT(model.yAxis.low, 1650);
    EXPECT_GT(model.yAxis.high, 2600);
    ExpectRoundTicks(model.yAxis);
    EXPECT_EQ(model.yAxis.ticks.front(), model.yAxis.low);
    EXPECT_EQ(model.xAxis.high, 3.7);
    ExpectRoundTicks(model.xAxis);
    ExpectFillsCover(model, rated);
}

TEST(ChartModel, TwoPoints)
{
    const RatedBlock rated = testing::RatedBlockOfInput("Два\n1000\t10\t1\n1500\t12\t1\n@@@\n");
    const ChartModel model = ChartOfRatedBlock(rated, '.');
    EXPECT_EQ(model.xs, (std::vector<double>{0, 2}));
    ASSERT_EQ(model.fills.size(), 1u);
    ASSERT_EQ(model.legend.size(), 1u);
    EXPECT_EQ(model.legend[0].category, rated.ratings.recommendation.pointCategories[0]);
    ASSERT_TRUE(model.mark);
    EXPECT_EQ(model.mark->y, 1000);
}

TEST(ChartModel, LargestBlock)
{
    const RatedBlock rated = testing::RatedBlockOfInput(testing::LongBlock(32767));
    const ChartModel model = ChartOfRatedBlock(rated, '.');
    ASSERT_EQ(model.xs.size(), 32767u);
    ExpectFillsCover(model, rated);
    EXPECT_EQ(model.xAxis.high, 32766);
    EXPECT_LE(model.xAxis.ticks.size(), 11u);
    ExpectRoundTicks(model.xAxis);
    ASSERT_TRUE(model.mark);
    EXPECT_EQ(model.mark->x, static_cast<double>(rated.ratings.recommendation.recommendedPoint));
}

TEST(ChartModel, AxesOfOddRanges)
{
    struct Case {
        double low, high;
        AxisEnds ends;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {0, 4.1, AxisEnds::AtData, {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"}},
        {-0.3, 0.15, AxisEnds::AtTicks, {"-0.30", "-0.25", "-0.20", "-0.15", "-0.10", "-0.05", "0.00", "0.05", "0.10", "0.15"}},
        {5, 5, AxisEnds::AtTicks, {"4.5", "4.6", "4.7", "4.8", "4.9", "5.0", "5.1", "5.2", "5.3", "5.4", "5.5"}},
        {1e15, 3e15, AxisEnds::AtTicks, {"1e+15", "1.2e+15", "1.4e+15", "1.6e+15", "1.8e+15", "2e+15", "2.2e+15",
                                        "2.4e+15", "2.6e+15", "2.8e+15", "3e+15"}},
        {-1.5e308, 1.5e308, AxisEnds::AtData, {"-1.5e+308", "-1e+308", "-5e+307", "0", "5e+307", "1e+308", "1.5e+308"}},
    };
    for (const Case& c : cases) {
        const ChartAxis axis = RoundAxis(c.low, c.high, 10, c.ends, '.');
        EXPECT_EQ(axis.tickLabels, c.labels) << c.low << " to " << c.high;
        EXPECT_TRUE(std::isfinite(axis.low) && std::isfinite(axis.high));
    }
}

// The recommended point's box, 20 x 10, 5 away from the point, 2 within the plot
// (0..100 both ways, y down): beside the point where it hides least of the profile,
// then nearest; to the right where both sides are alike.
TEST(ChartMarkBox, GoesWhereItHidesLeast)
{
    const Rect plot{0, 0, 100, 100};
    const struct {
        const char* name;
        std::vector<Point> page;
        Point at;
        Rect box;
    } cases[] = {
        // Above, the box would cross the walls and at the top the flat: below, under the line.
        {"valley", {{0, 8}, {35, 8}, {50, 50}, {65, 8}, {100, 8}}, {50, 50}, {55, 55, 20, 10}},
        // A peak at the top: every box beside it crosses the line but those at the bottom.
        {"peak", {{0, 60}, {50, 3}, {100, 60}}, {50, 3}, {55, 88, 20, 10}},
        // The last point: nothing to its right, above it as far as the plot goes.
        {"last point", {{0, 90}, {60, 8}}, {60, 8}, {65, 2, 20, 10}},
    };
    for (const auto& c : cases) {
        const Rect box = PlaceMarkBox(c.page, plot, c.at, 20, 10, 5, 2);
        EXPECT_TRUE(box.x == c.box.x && box.y == c.box.y && box.width == 20 && box.height == 10)
            << c.name << ": " << box.x << ", " << box.y;
    }
}

// The pointer's distance read back as a segment and the profile's height there; the
// segment's figures are those of its first point.
TEST(ChartReadout, SegmentUnderTheDistance)
{
    struct Case {
        const char* input;
        double km;
        std::size_t segment;
        double readKm;
        double height;
    };
    const std::string backwards = "Назад\n1000\t0\t1\n1200\t3\t2\n1300\t2\t3\n1500\t5\t4\n@@@\n";
    const Case cases[] = {
        {testing::kWorkedExampleInput.data(), -1, 0, 0, 3100},        // before the block: its start
        {testing::kWorkedExampleInput.data(), 1.5, 0, 1.5, 3250},
        {testing::kWorkedExampleInput.data(), 3, 0, 3, 3400},         // a shared point: the first segment
        {testing::kWorkedExampleInput.data(), 4, 1, 4, 3400 + 200.0 / 1.5},
        {testing::kWorkedExampleInput.data(), 9, 2, 6, 3900},         // past the end: its end
        {backwards.c_str(), 2.5, 0, 2.5, 1000 + 200 * 2.5 / 3},      // the first segment that spans it
        {backwards.c_str(), 4, 2, 4, 1300 + 200.0 * 2 / 3},
    };
    for (const Case& c : cases) {
        const RatedBlock rated = testing::RatedBlockOfInput(c.input);
        const ChartReadout readout = ReadoutAt(rated, c.km);
        SCOPED_TRACE(std::string(c.input).substr(0, 6) + " at " + std::to_string(c.km));
        EXPECT_EQ(readout.segment, c.segment);
        EXPECT_DOUBLE_EQ(readout.km, c.readKm);
        EXPECT_NEAR(readout.height, c.height, 1e-9);
        EXPECT_EQ(readout.grade, rated.ratings.series.segmentGrades[c.segment]);
        EXPECT_EQ(readout.surface, rated.block.surfaceCoefs[c.segment]);
        EXPECT_EQ(readout.score, rated.ratings.scores.pointScores[c.segment]);
        EXPECT_EQ(readout.category, rated.ratings.recommendation.pointCategories[c.segment]);
    }
}

} // namespace
} // namespace passcat
