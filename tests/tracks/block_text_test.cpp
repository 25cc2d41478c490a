// The number texts of a block, halves away from zero, and the points a block leaves
// out for sharing a distance text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tracks/block_text.h"

namespace passcat::tracks {
namespace {

TEST(BlockText, Distances)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0.000"},       {5, "0.005"},       {50, "0.050"},          {1234, "1.234"},
        {12000, "12.000"},  {0.5, "0.001"},     {1234.5, "1.235"},      {2.4999, "0.002"},
        {999999.5, "1000.000"}, {1.4999999999, "0.001"},
        {1100.1 - 100.6, "0.999"}, // 999.4999999999999 in doubles
        {1000.8 - 0.3, "1.001"},   // 1000.5
    };
    for (const auto& [metres, text] : cases) {
        std::string out;
        AppendDistanceText(out, metres);
        EXPECT_EQ(out, text) << metres;
    }
}

TEST(BlockText, Heights)
{
    const std::pair<double, const char*> cases[] = {
        {1234.5, "1234.5"}, {-3, "-3.0"},   {0, "0.0"},      {-0.0, "0.0"},     {-0.04, "0.0"},
        {0.25, "0.3"},      {-0.25, "-0.3"}, {12.75, "12.8"}, {-12.75, "-12.8"}, {0.125, "0.1"},
        {0.05, "0.1"},      {-0.05, "-0.1"}, // 0.05 x 10 is 0.5 in doubles
        {1234.55, "1234.6"}, // 12345.5
        {1e6, "1000000.0"},
    };
    for (const auto& [metres, text] : cases) {
        std::string out;
        AppendHeightText(out, metres);
        EXPECT_EQ(out, text) << metres;
    }
}

struct LinesCase {
    const char* what;
    std::vector<double> s;
    std::vector<std::size_t> kept;
    const char* lines;
};

const LinesCase kLineCases[] = {
    {"same metres: the later point goes, the last takes the place of the one before",
     {0, 0.4, 1000, 1000.3, 2000, 2000.2},
     {0, 1, 2, 3, 4, 5},
     "1.0\t0.000\tx\r\n3.0\t1.000\tx\r\n6.0\t2.000\tx\r\n"},
    {"the first point stays", {0, 0.3}, {0, 1}, "1.0\t0.000\tx\r\n"},
    {"distances from the climb's first point", {100.6, 101.0, 1100.1}, {0, 1, 2}, "1.0\t0.000\tx\r\n3.0\t0.999\tx\r\n"},
    {"only the kept points", {0, 500, 1000}, {0, 2}, "1.0\t0.000\tx\r\n3.0\t1.000\tx\r\n"},
};

TEST(BlockText, DataLines)
{
    const std::vector<double> heights{1, 2, 3, 4, 5, 6};
    for (const LinesCase& c : kLineCases) {
        std::string out;
        AppendClimbLines(c.s, heights, c.kept, "x", out);
        EXPECT_EQ(out, c.lines) << c.what;
    }
}

} // namespace
} // namespace passcat::tracks
