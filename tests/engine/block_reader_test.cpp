#include <gtest/gtest.h>

#include "engine/block_reader.h"
#include "engine/messages.h"
#include "engine/text_lines.h"

namespace passcat {
namespace {

using Status = BlockReadResult::Status;
using Doubles = std::vector<double>;

TEST(ReadObstacleBlock, ReadsTwoBlocksBackToBack)
{
    TextLineSource input("Перевал 1\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n1700\t2,8\tx\t1,4\r\n@@@\r\n"
                         "Перевал 2\r\n2 100\t0\t1.0\r\n@@@\r\n");
    const auto first = ReadObstacleBlock(input);
    EXPECT_EQ(first.status, Status::Complete);
    EXPECT_EQ(first.block.title, "Перевал 1");
    EXPECT_EQ(first.block.heights, (Doubles{1200, 1450, 1700}));
    EXPECT_EQ(first.block.distances, (Doubles{0, 1.5, 2.8}));
    EXPECT_EQ(first.block.surfaceCoefs, (Doubles{1, 1.2, 1.4}));
    EXPECT_EQ(first.titleLineNumber, 1u);
    EXPECT_EQ(input.lineNumber(), 5u);

    const auto second = ReadObstacleBlock(input);
    EXPECT_EQ(second.block.title, "Перевал 2");
    EXPECT_EQ(second.block.heights, (Doubles{2100}));
    EXPECT_EQ(second.titleLineNumber, 6u);
    EXPECT_TRUE(input.atEnd());
}

TEST(ReadObstacleBlock, TakesColumnsOneTwoAndLast)
{
    struct ColumnCase {
        const char* line;
        double height, distance, surface;
    };
    const ColumnCase cases[] = {
        {"1\t2\t3", 1, 2, 3},
        {"1\t2\t3\t4\t5", 1, 2, 5},
        {"1\t\t3", 1, 0, 3},
        {"1\t2\t", 1, 2, 0},
        {"\t\t", 0, 0, 0},
        {"12m\tx\t1,2E3", 12, 0, 1200},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("t\n") + c.line + "\n@@@\n";
        TextLineSource input(text);
        const auto read = ReadObstacleBlock(input);
        ASSERT_EQ(read.status, Status::Complete) << c.line;
        EXPECT_EQ(read.block.heights, Doubles{c.height}) << c.line;
        EXPECT_EQ(read.block.distances, Doubles{c.distance}) << c.line;
        EXPECT_EQ(read.block.surfaceCoefs, Doubles{c.surface}) << c.line;
    }
}

TEST(ReadObstacleBlock, TitleIsTakenWholeEvenWhenItReadsAsAnEndLine)
{
    TextLineSource input("@@@\n\t 1\t2\t3\n@@@\nnext\n");
    const auto read = ReadObstacleBlock(input);
    EXPECT_EQ(read.status, Status::Complete);
    EXPECT_EQ(read.block.title, "@@@");
    EXPECT_EQ(read.block.heights.size(), 1u);
    EXPECT_EQ(*input.readLine(), "next");
}

TEST(ReadObstacleBlock, EmptyBlockHasNoPoints)
{
    TextLineSource input("t\n@@@\n");
    const auto read = ReadObstacleBlock(input);
    EXPECT_EQ(read.status, Status::Complete);
    EXPECT_TRUE(read.block.heights.empty());
    EXPECT_TRUE(input.atEnd());
}

TEST(ReadObstacleBlock, MalformedBlockIsConsumedThroughItsEndLine)
{
    struct MalformedCase {
        const char* text;
        std::uint64_t badLine;
    };
    const MalformedCase cases[] = {
        {"t\n1\t2\t3\n\n4\t5\t6\n@@@\nnext\n", 3},
        {"t\n1\t2\n@@@\nnext\n", 2},
        {"t\n1 2 3\n@@@\nnext\n", 2},
        {"t\n1\t2\t3\n@@@ \n@@@\nnext\n", 3},
        {"t\n @@@\n@@@\nnext\n", 2},
    };
    for (const auto& c : cases) {
        TextLineSource input(c.text);
        const auto read = ReadObstacleBlock(input);
        EXPECT_EQ(read.status, Status::Malformed) << c.text;
        EXPECT_EQ(read.fault, messages::TooFewTabs(c.badLine)) << c.text;
        EXPECT_EQ(*input.readLine(), "next") << c.text;
    }
}

TEST(ReadObstacleBlock, BlockWithoutEndLine)
{
    for (const char* text : {"t\n1\t2\t3\n", "t\n1\t2\t3", "t\n", "t", "t\n1\t2\n"}) {
        TextLineSource input(text);
        const auto read = ReadObstacleBlock(input);
        EXPECT_EQ(read.status, Status::Malformed) << text;
        EXPECT_TRUE(input.atEnd()) << text;
    }
    TextLineSource input("t\n1\t2\t3\n");
    EXPECT_EQ(ReadObstacleBlock(input).fault, messages::MissingEndLine(1));
}

TEST(ReadObstacleBlock, OnlyBlankLinesLeftAreNoBlock)
{
    for (const char* text : {"\n", "\n\n", " \t \r\n\r\n", "\t\t\n"}) {
        TextLineSource input(text);
        EXPECT_EQ(ReadObstacleBlock(input).status, Status::TrailingBlank) << text;
        EXPECT_TRUE(input.atEnd());
    }
}

TEST(ReadObstacleBlock, EndLineMustMatchExactly)
{
    TextLineSource input("t\r\n1\t2\t3\r\n@@@\r\n");
    EXPECT_EQ(ReadObstacleBlock(input).status, Status::Complete);
    TextLineSource lastLineWithoutEnd("t\n1\t2\t3\n@@@");
    EXPECT_EQ(ReadObstacleBlock(lastLineWithoutEnd).status, Status::Complete);
}

TEST(ReadObstacleBlock, KeepsFirstAndLastPointsOfAnOversizedBlock)
{
    std::string text = "big\n";
    const std::size_t n = kMaxPointsPerBlock + 50;
    for (std::size_t i = 0; i < n; ++i)
        text += std::to_string(i) + "\t" + std::to_string(i) + "\t1\n";
    text += "@@@\n";
    TextLineSource input(text);
    const auto read = ReadObstacleBlock(input);
    EXPECT_EQ(read.block.pointCount(), n);
    EXPECT_EQ(read.block.heights.size(), kMaxPointsPerBlock + 1);
    EXPECT_EQ(read.block.heights.front(), 0);
    EXPECT_EQ(read.block.heights.back(), static_cast<double>(n - 1));
}

} // namespace
} // namespace passcat
