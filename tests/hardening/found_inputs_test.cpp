// Inputs that fuzzing found, kept so that they stay right.
#include <gtest/gtest.h>

#include <string>

#include "engine/number_text.h"

namespace passcat {
namespace {

TEST(FoundInputs, PlainSingleRoundsTheSingleValueNotItsShortestText)
{
    // 0.099999994 is the single nearest 0.099999991; seven digits of it are 0.09999999,
    // while rounding its shortest text once more would give 0.1.
    const struct {
        float value;
        const char* point;
        const char* comma;
    } cases[] = {
        {0.099999994f, "0.09999999", "0,09999999"},
        {0.99999994f, "0.9999999", "0,9999999"},
        {9999999.0f, "9999999", "9999999"},
        {99999992.0f, "9.999999E+07", "9,999999E+07"},
    };
    for (const auto& c : cases) {
        std::string point;
        AppendPlainSingle(point, c.value, '.');
        EXPECT_EQ(point, c.point);
        std::string comma;
        AppendPlainSingle(comma, c.value, ',');
        EXPECT_EQ(comma, c.comma);
    }
}

} // namespace
} // namespace passcat
