// Number texts of track files, and texts cut at their limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "tracks/track_texts.h"

namespace passcat::tracks {
namespace {

TEST(TrackTexts, DecimalNumbers)
{
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"45.5", 45.5}, {" \t45.5\r\n", 45.5}, {"-7", -7.0}, {"+7", 7.0}, {".5", 0.5}, {"5.", 5.0},
        {"007.25", 7.25}, {"-0", -0.0},
        {"0." + std::string(400, '0') + "1", 0.0}, // below the smallest double
        {"1,5", std::nullopt}, {"1e5", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
        {"-inf", std::nullopt}, {"", std::nullopt}, {" ", std::nullopt}, {".", std::nullopt},
        {"+-1", std::nullopt}, {"--1", std::nullopt}, {"1 2", std::nullopt}, {"0x10", std::nullopt},
        {"1.2.3", std::nullopt}, {"12m", std::nullopt}, {"1" + std::string(400, '0'), std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseDecimal(text), value) << text;
}

TEST(TrackTexts, DecimalNumbersAsFromCharsReadsThem)
{
    // Short texts take a quicker way than from_chars; the doubles must be the same.
    std::uint64_t state = 88172645463325252u;
    for (int k = 0; k < 200000; ++k) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        const std::string digits = std::to_string(state % 100000000000000000u);
        const std::size_t point = digits.size() - std::min<std::size_t>(digits.size(), state >> 59);
        std::string text = digits.substr(0, point) + '.' + digits.substr(point);
        text.resize(std::min<std::size_t>(text.size(), 3 + (state >> 40) % 18));
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(ParseDecimal(text), expected) << text;
    }
}

TEST(TrackTexts, PositionsInRange)
{
    EXPECT_TRUE(IsValidPosition(90.0, -180.0));
    EXPECT_FALSE(IsValidPosition(90.000001, 0.0));
    EXPECT_FALSE(IsValidPosition(0.0, 180.5));
    EXPECT_FALSE(IsValidPosition(std::nullopt, 0.0));
}

TEST(TrackTexts, TextsPastTheLimit)
{
    CappedText text;
    text.append(std::string(CappedText::kLimit - 1, 'a') + "я b");
    EXPECT_TRUE(text.overflowed());
    EXPECT_FALSE(text.number());
    EXPECT_EQ(text.name(), std::string(CappedText::kLimit - 1, 'a')); // "я" cut in two is dropped
}

} // namespace
} // namespace passcat::tracks
