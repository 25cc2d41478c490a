#include <gtest/gtest.h>

#include <algorithm>

#include "engine/messages.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/worked_example.h"

namespace passcat {
namespace {

using testing::EvaluateText;
using testing::SettingsFor;

std::vector<std::string> Lines(const std::string& report)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const auto end = report.find("\r\n", start);
        lines.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(BlockEvaluation, WorkedExampleIsExactWithEitherSeparator)
{
    for (const char separator : {'.', ','}) {
        const auto result = EvaluateText(testing::kWorkedExampleInput, SettingsFor(5, false, separator));
        EXPECT_EQ(result.report, testing::WorkedExampleReportUtf8(separator)) << separator;
        EXPECT_TRUE(result.rejections.empty());
    }
}

TEST(BlockEvaluation, RegionsWithTheSameTablesGiveTheSameReport)
{
    const auto pamir = EvaluateText(testing::kWorkedExampleInput, SettingsFor(3, false)).report;
    EXPECT_EQ(pamir, EvaluateText(testing::kWorkedExampleInput, SettingsFor(5, false)).report);
    EXPECT_NE(pamir, EvaluateText(testing::kWorkedExampleInput, SettingsFor(0, false)).report);
}

TEST(BlockEvaluation, RejectedBlockBetweenTwoGoodOnesLeavesTwoSections)
{
    const std::string good(testing::kWorkedExampleInput);
    const std::string input = good + "Спуск\r\n2000\t0\t1\r\n1500\t2\t1\r\n@@@\r\n" + good;
    const auto result = EvaluateText(input, SettingsFor(5, false));
    EXPECT_EQ(result.report, testing::WorkedExampleReportUtf8() + testing::WorkedExampleReportUtf8());
    ASSERT_EQ(result.rejections.size(), 1u);
    EXPECT_EQ(result.rejections[0].message, messages::kEndNotHigher);
    EXPECT_EQ(result.rejections[0].titleLineNumber, 7u);
}

TEST(BlockEvaluation, TwoBlockExampleGivesOneSectionAndOneMessage)
{
    const auto result = EvaluateText("Перевал 1\n1200\t0\t1\n1450\t1,5\t1,2\n1700\t2,8\tx\t1,4\n@@@\n"
                                     "Перевал 2\n2 100\t0\t1.0\n@@@\n",
                                     SettingsFor(3, true));
    EXPECT_EQ(result.calls, 2);
    const auto lines = Lines(result.report);
    ASSERT_EQ(lines.size(), 3u + 7u);
    EXPECT_EQ(lines[0], "Перевал 1");
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\t')), "0");
    EXPECT_EQ(lines[3].substr(0, lines[3].find('\t')), "1.5");
    ASSERT_EQ(result.rejections.size(), 1u);
    EXPECT_EQ(result.rejections[0].message, messages::kTooFewPoints);
}

TEST(BlockEvaluation, SectionShapeHoldsForEveryBlockSize)
{
    for (int n = 2; n <= 40; n += 7) {
        std::string input = "title\twith tab\n";
        for (int i = 0; i < n; ++i)
            input += std::to_string(1000 + 37 * i) + "\t" + std::to_string(i) + ",25\t1." + std::to_string(i) + "\n";
        input += "@@@\n";
        for (const bool byLength : {false, true}) {
            const auto lines = Lines(EvaluateText(input, SettingsFor(0, byLength)).report);
            ASSERT_EQ(lines.size(), static_cast<std::size_t>(n + 7));
            EXPECT_EQ(lines[0], "title\twith tab");
            EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '\t'), 13);
            for (int row = 2; row < n + 1; ++row)
                EXPECT_EQ(std::count(lines[row].begin(), lines[row].end(), '\t'), 20);
            EXPECT_EQ(lines[n + 5], "");
            EXPECT_EQ(lines[n + 6], "");
        }
    }
}

TEST(BlockEvaluation, TopCategoryNeedsTheHeightGainAndWinsOverHigherScores)
{
    // Point 1 reaches category 6; point 2 scores above 8.1 too but lacks the gain.
    const auto lines = Lines(EvaluateText("top\n2300\t0\t5\n3000\t2\t2\n3850\t3\t2\n3900\t3.05\t1\n@@@\n",
                                          SettingsFor(5, true)).report);
    ASSERT_EQ(lines.size(), 11u);
    const auto lastField = [](const std::string& row) { return row.substr(row.rfind('\t') + 1); };
    EXPECT_EQ(lastField(lines[2]), "6");
    EXPECT_EQ(lastField(lines[3]), "5");
    EXPECT_EQ(lastField(lines[4]), "5");
    EXPECT_EQ(lines[7], "Категория сложности: 6");
}

TEST(BlockEvaluation, ValuesAreWrittenByTheirOwnRules)
{
    const auto lines = Lines(EvaluateText("t\n1000\t0.1\t1\n950\t0.3\t1\n1200\t12.3456789\t6\n1300\t13\t1\n@@@\n",
                                          SettingsFor(5, true)).report);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[2].substr(0, lines[2].find("\t\t\t")), "0.1");
    EXPECT_TRUE(lines[2].find("\t\t\t0.2\t\t") != std::string::npos) << lines[2]; // 0.3 - 0.1
    EXPECT_TRUE(lines[2].find("\t-50\t\t-25.000\t\t") != std::string::npos) << lines[2];
    EXPECT_EQ(lines[4].substr(0, lines[4].find('\t')), "12.3456789");
}

struct RejectionCase {
    const char* name;
    const char* input;
    bool byLength;
    std::string message;
};

TEST(BlockEvaluation, EachRejectionGivesItsOneMessageAndNoSection)
{
    const RejectionCase cases[] = {
        {"no points", "t\n@@@\n", false, std::string(messages::kTooFewPoints)},
        {"one point", "t\n1000\t0\t1\n@@@\n", false, std::string(messages::kTooFewPoints)},
        {"level end", "t\n1000\t0\t1\n1000\t1\t1\n@@@\n", false, std::string(messages::kEndNotHigher)},
        {"lower end", "t\n1000\t0\t1\n900\t1\t1\n@@@\n", false, std::string(messages::kEndNotHigher)},
        {"no farther", "t\n1000\t1\t1\n1100\t1\t1\n@@@\n", false, std::string(messages::kEndNotFarther)},
        {"lower and nearer", "t\n1000\t1\t1\n900\t0\t1\n@@@\n", false, std::string(messages::kEndNotHigher)},
        {"huge number", "t\n1000\t0\t1\n1100\t1E400\t1\n1200\t2\t1\n@@@\n", false, messages::NumberTooLarge(1)},
        {"same distance twice", "t\n1000\t0\t1\n1100\t1\t1\n1150\t1\t1\n1200\t2\t1\n@@@\n", true,
         messages::SameDistanceAsNext(1)},
        {"distance of the end", "t\n1000\t0\t1\n1100\t3\t1\n1150\t2\t1\n1200\t3\t1\n@@@\n", true,
         messages::SameDistanceAsEnd(1)},
        {"height of the end, by height", "t\n1000\t0\t1\n1200\t1\t1\n1200\t2\t1\n@@@\n", false,
         messages::SameHeightAsEnd(1)},
        {"overflowing grade", "t\n1E300\t0\t1\n1E308\t1E-300\t1\n1.5E308\t1\t1\n@@@\n", true,
         messages::ValueNotFinite(0)},
        {"overflowing surface sum", "t\n1000\t0\t1E300\n1100\t1\t1\n@@@\n", true, messages::ValueNotFinite(0)},
        {"too few tabs", "t\n1000\t0\t1\n1100\t1\n@@@\n", false, messages::TooFewTabs(3)},
        {"no end line", "t\n1000\t0\t1\n1100\t1\t1\n", false, messages::MissingEndLine(1)},
    };
    for (const auto& c : cases) {
        const auto result = EvaluateText(c.input, SettingsFor(5, c.byLength));
        EXPECT_EQ(result.report, "") << c.name;
        ASSERT_EQ(result.rejections.size(), 1u) << c.name;
        EXPECT_EQ(result.rejections[0].message, c.message) << c.name;
        EXPECT_EQ(result.rejections[0].message.rfind("Ошибка: ", 0), 0u) << c.name;
        EXPECT_EQ(result.rejections[0].titleLineNumber, 1u) << c.name;
    }
}

TEST(BlockEvaluation, LevelEndPointIsFineWhenWeightingByLength)
{
    const auto result = EvaluateText("t\n1000\t0\t1\n1200\t1\t1\n1200\t2\t1\n@@@\n", SettingsFor(5, true));
    EXPECT_TRUE(result.rejections.empty());
    EXPECT_EQ(Lines(result.report).size(), 10u);
}

TEST(BlockEvaluation, BlockSizeLimitIsTheLargestPosition)
{
    for (const std::size_t n : {kMaxPointsPerBlock, kMaxPointsPerBlock + 1, kMaxPointsPerBlock + 100}) {
        std::string input = "big\n";
        for (std::size_t i = 0; i < n; ++i)
            input += std::to_string(1000 + i) + "\t" + std::to_string(i) + "\t1\n";
        input += "@@@\n";
        const auto result = EvaluateText(input, SettingsFor(5, true));
        if (n <= kMaxPointsPerBlock) {
            EXPECT_TRUE(result.rejections.empty());
            EXPECT_EQ(Lines(result.report).size(), n + 7);
        } else {
            ASSERT_EQ(result.rejections.size(), 1u);
            EXPECT_EQ(result.rejections[0].message, messages::TooManyPoints(n));
            EXPECT_EQ(result.report, "");
        }
    }
}

TEST(BlockEvaluation, BlankLinesAfterTheLastBlockAreNoBlock)
{
    const std::string good(testing::kWorkedExampleInput);
    for (const char* tail : {"\r\n", "\r\n\r\n", "  \t\r\n\n", " "}) {
        const auto result = EvaluateText(good + tail, SettingsFor(5, false));
        EXPECT_EQ(result.report, testing::WorkedExampleReportUtf8()) << tail;
        EXPECT_TRUE(result.rejections.empty()) << tail;
    }
    // Not at the end, a blank line is the title of a block like any other.
    const auto result = EvaluateText("\n" + good, SettingsFor(5, false));
    ASSERT_EQ(result.rejections.size(), 1u);
    EXPECT_EQ(result.rejections[0].message, messages::TooFewTabs(2));
}

} // namespace
} // namespace passcat
