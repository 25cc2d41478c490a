#include "shell/result_path.h"

#include <gtest/gtest.h>

namespace passcat {
namespace {

TEST(DefaultResultPath, RezTxtInTheInputsFolder)
{
    const struct {
        QString input;
        QString result;
    } cases[] = {
        {"/home/user/trip/passes.txt", "/home/user/trip/rez.txt"},
        {"trip/passes.txt", "trip/rez.txt"},
        {"/passes.txt", "/rez.txt"},
        {"trip/", "trip/rez.txt"},
        {"passes.txt", "rez.txt"},
        {"", "rez.txt"},
        {"/trip.2024/passes", "/trip.2024/rez.txt"},
#ifdef _WIN32
        {"D:\\trip\\passes.txt", "D:\\trip\\rez.txt"},
        {"D:\\trip/sub\\passes.txt", "D:\\trip/sub\\rez.txt"},
#else
        {"D:\\trip\\passes.txt", "rez.txt"}, // a backslash is part of a file name here
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultResultPath(c.input), c.result) << c.input.toStdString();
}

} // namespace
} // namespace passcat
