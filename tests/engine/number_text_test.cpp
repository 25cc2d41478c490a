#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace passcat {
namespace {

using namespace std::string_view_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase {
    std::string_view text;
    double expected;
};

// Bitwise comparison, so that the sign of a zero counts too.
void ExpectParses(std::string_view text, double expected) {
    const double got = ParseNumberText(text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
        << "text \"" << text.substr(0, 80) << (text.size() > 80 ? "...\"" : "\"") << ": got "
        << got << ", expected " << expected;
}

void ExpectAllParse(const std::vector<ParseCase>& cases) {
    for (const ParseCase& c : cases) ExpectParses(c.text, c.expected);
}

// ---------------------------------------------------------------- ParseNumberText

TEST(ParseNumberText, CommaAndPointAreBothDecimalPoints) {
    ExpectAllParse({
        {"1,5", 1.5},
        {"1.5", 1.5},
        {"-12,5", -12.5},
        {"0,125", 0.125},
        {",5", 0.5},
        {"5,", 5.0},
        {"1,2E3", 1200.0},
        {"1,2e-1", 0.12},
        // only one point: the second one, whichever character, ends the number
        {"1.234,5", 1.234},
        {"1,234.5", 1.234},
        {"1,2,3", 1.2},
        {"1..5", 1.0},
        {"1.5.6E3", 1.5},
        {"0.0.1E400", 0.0},
        {"2,0,0E999", 2.0},
    });
}

TEST(ParseNumberText, BlanksTabsAndLineFeedsAreDroppedAnywhere) {
    ExpectAllParse({
        {"1 234,5", 1234.5},
        {"- 1 2", -12.0},
        {"  42  ", 42.0},
        {"\t7\t", 7.0},
        {"\n3\n", 3.0},
        {"1\t2\n3 4", 1234.0},
        {"+ 7", 7.0},
        {"1 , 5", 1.5},
        {"1 E 3", 1000.0},
        {"1E - 2", 0.01},
        {"1 2 m 3", 12.0},
        {" \t\n", 0.0},
        {" & 5", 0.0},
    });
}

TEST(ParseNumberText, OtherWhitespaceIsNotDropped) {
    ExpectAllParse({
        {"12\r", 12.0},
        {"1\r2", 1.0},
        {"\r12", 0.0},
        {"\v12", 0.0},
        {"\f12", 0.0},
        {"1\v2", 1.0},
        {"1\f2", 1.0},
        {"1\xC2\xA0" "2", 1.0},  // no-break space
        {"1\0" "2"sv, 1.0},
        {"\0" "12"sv, 0.0},
    });
}

TEST(ParseNumberText, AmpersandPrefixReadsZero) {
    ExpectAllParse({
        {"&H10", 0.0},
        {"&O17", 0.0},
        {"&", 0.0},
        {"&12", 0.0},
        {"  &H1F", 0.0},
        {"-&H10", 0.0},  // the sign is followed by no number
        {"12&", 12.0},
    });
}

TEST(ParseNumberText, SignsAndPointPositions) {
    ExpectAllParse({
        {"+7", 7.0},
        {"-7", -7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.5", -0.5},
        {"+.5", 0.5},
        {"-5.", -5.0},
        {"007", 7.0},
        {"-000.2500", -0.25},
        {"0", 0.0},
        {"+0", 0.0},
        {"-0", -0.0},
        {"-0.000", -0.0},
        {"--5", 0.0},
        {"+-5", 0.0},
        {"-+5", 0.0},
        {"+ - 5", 0.0},
    });
}

TEST(ParseNumberText, ReadingStopsAtFirstCharacterThatCannotContinue) {
    ExpectAllParse({
        {"12m", 12.0},
        {"12 m", 12.0},
        {"3.5km", 3.5},
        {"1-2", 1.0},
        {"1+2", 1.0},
        {"4;5", 4.0},
        {"0x1p3", 0.0},
        {"0x10", 0.0},
        {"1.5.6", 1.5},
        {"2/3", 2.0},
        {"1e5e6", 1e5},
        {"1E5.5", 1e5},
        {"1E+5-3", 1e5},
        {"7d2", 7.0},
    });
}

TEST(ParseNumberText, ExponentNeedsAtLeastOneDigit) {
    ExpectAllParse({
        {"1E3", 1000.0},
        {"1e3", 1000.0},
        {"1E+3", 1000.0},
        {"1E-3", 0.001},
        {"2.5E2", 250.0},
        {".5e1", 5.0},
        {"5.e1", 50.0},
        {"1E", 1.0},
        {"1e", 1.0},
        {"1E+", 1.0},
        {"1E-", 1.0},
        {"2e-x", 2.0},
        {"3E x", 3.0},
        {"4E+-1", 4.0},
        {"-6E", -6.0},
        {"1E05", 1e5},
        {"1E0000000000000000000000000000005", 1e5},
        {"1E-0000000000000000000000000000005", 1e-5},
        {"E5", 0.0},
        {"e5", 0.0},
        {".E5", 0.0},
        {"-E5", 0.0},
    });
}

TEST(ParseNumberText, TextsWithoutANumberReadZero) {
    ExpectAllParse({
        {"", 0.0},
        {"x", 0.0},
        {"+", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {",", 0.0},
        {"-.", 0.0},
        {"+,", 0.0},
        {"inf", 0.0},
        {"-inf", 0.0},
        {"INF", 0.0},
        {"infinity", 0.0},
        {"nan", 0.0},
        {"NaN", 0.0},
        {"-nan", 0.0},
        {"abc12", 0.0},
    });
}

TEST(ParseNumberText, ValuesAreCorrectlyRounded) {
    ExpectAllParse({
        {"0.1", 0.1},
        {"0,3", 0.3},
        {"123456789012345678", 123456789012345678.0},
        {"9007199254740993", 9007199254740992.0},  // halfway: to even
        {"9007199254740993.0000000000000001", 9007199254740994.0},
        {"9007199254740995", 9007199254740996.0},
        {"1.7976931348623157E308", std::numeric_limits<double>::max()},
        {"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"4.9406564584124654E-324", std::numeric_limits<double>::denorm_min()},
        {"3e-324", std::numeric_limits<double>::denorm_min()},
        {"1e-310", 1e-310},
        {"0.30000000000000004", 0.30000000000000004},
        {"1 234 567,891 011", 1234567.891011},
        {"13.333333333333334", 13.333333333333334},
    });
}

TEST(ParseNumberText, OverflowGivesInfinityAndUnderflowZeroBySign) {
    const std::string digits400 = "1" + std::string(399, '0');
    ExpectAllParse({
        {"1E400", kInf},
        {"-1E400", -kInf},
        {"1E309", kInf},
        {"1.7976931348623159E308", kInf},
        {"-1.8e308", -kInf},
        {"0.001E311", 1e308},
        {"0.01E311", kInf},
        {"1E-400", 0.0},
        {"-1E-400", -0.0},
        {"2e-324", 0.0},
        {"-2e-324", -0.0},
        {"1000E-327", 0.0},
        {"0E99999", 0.0},
        {"-0E99999", -0.0},
        {"0.000E-99999", 0.0},
        {digits400, kInf},
        {"-" + digits400, -kInf},
        {"+" + digits400, kInf},
        {digits400 + "E-400", 1e-1},
        {"0." + std::string(399, '0') + "1", 0.0},
        {"0." + std::string(399, '0') + "1E+400", 1.0},
    });
}

TEST(ParseNumberText, ExponentsWithVeryManyDigitsDoNotOverflow) {
    const std::string nines(1000, '9');
    const std::string zeros(1000, '0');
    ExpectAllParse({
        {"1E" + nines, kInf},
        {"1E+" + nines, kInf},
        {"-1E" + nines, -kInf},
        {"1E-" + nines, 0.0},
        {"-1E-" + nines, -0.0},
        {"0E" + nines, 0.0},
        {"1E" + zeros + "7", 1e7},
        {"1E-" + zeros + "7", 1e-7},
        {"1E" + std::string(25, '9') + "x", kInf},
        {"1E92233720368547758080", kInf},   // beyond int64
        {"1E-92233720368547758080", 0.0},
        {"1E18446744073709551617", kInf},   // beyond uint64
    });
}

TEST(ParseNumberText, MebibyteLongTexts) {
    constexpr std::size_t kMiB = 1 << 20;

    // "1" and zeros with the point after 301 digits: 1E+300 whatever follows.
    std::string text = "1" + std::string(300, '0') + "." + std::string(kMiB, '0');
    ExpectParses(text, 1e300);

    // A mebibyte of digits without a point overflows.
    ExpectParses(std::string(kMiB, '7'), kInf);

    // Leading zeros after the point, brought back by the exponent.
    text = "0." + std::string(kMiB, '0') + "25E+" + std::to_string(kMiB + 1);
    ExpectParses(text, 2.5);

    // All digits count for rounding: 1.2345678912345678912... times 10^0.
    text.clear();
    while (text.size() < kMiB) text += "123456789";
    text += "E-" + std::to_string(text.size() - 1);
    ExpectParses(text, 1.2345678912345679);

    // Halfway case decided by a non-zero digit a mebibyte further on.
    text = "9007199254740993." + std::string(kMiB, '0');
    ExpectParses(text, 9007199254740992.0);
    ExpectParses(text + "1", 9007199254740994.0);

    // Long texts with blanks and commas take the heap path.
    text = "1,5";
    while (text.size() < kMiB) text += " 000";
    ExpectParses(text, 1.5);
    text = "15";
    std::size_t zeros = 0;
    for (; text.size() < kMiB; zeros += 3) text += "\t000";
    text += ",E-" + std::to_string(zeros + 1);
    ExpectParses(text, 1.5);
    text = "- 0,";
    while (text.size() < kMiB) text += "0 \t";
    text += "3";
    ExpectParses(text, -0.0);  // far below the smallest double
}

TEST(ParseNumberText, CompactedTextsAroundTheStackBufferSize) {
    // Texts with a blank in the number, of lengths around any small-buffer limit.
    for (std::size_t length = 1; length <= 300; ++length) {
        std::string text = "1 5";
        text += std::string(length, '0');
        text += ",E-";
        text += std::to_string(length + 1);
        SCOPED_TRACE(length);
        ExpectParses(text, 1.5);
    }
}

TEST(ParseNumberText, DoesNotDependOnTheCLocale) {
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8",
                             "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            found = name;
            break;
        }
    }
    if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";

    ExpectAllParse({
        {"1,5", 1.5},
        {"1.5", 1.5},
        {"1 234,5", 1234.5},
        {"1.234,5", 1.234},
        {"-12,5E-1", -1.25},
        {"1E400", kInf},
    });
    std::string line;
    AppendPlainDouble(line, 1234.5, '.');
    line += ' ';
    AppendPlainSingle(line, 1.76f, '.');
    line += ' ';
    AppendThreeDecimals(line, 1234.5, '.');
    EXPECT_EQ(line, "1234.5 1.76 1234.500") << "locale " << found;

    std::setlocale(LC_ALL, "C");
}

// ---------------------------------------------------------------- number texts

struct DoubleCase {
    double value;
    char separator;
    std::string_view expected;
};

struct SingleCase {
    float value;
    char separator;
    std::string_view expected;
};

template <typename Value, typename Case>
void ExpectAllAppend(void (*append)(std::string&, Value, char), const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        // Appends: what is already on the line stays.
        std::string line = "a;";
        append(line, c.value, c.separator);
        EXPECT_EQ(line, "a;" + std::string(c.expected))
            << "value " << c.value << " (separator '" << c.separator << "')";
    }
}

TEST(AppendPlainDouble, FifteenSignificantDigits) {
    ExpectAllAppend(AppendPlainDouble, std::vector<DoubleCase>{
        {0.3 - 0.1, '.', "0.2"},
        {0.1 + 0.2, '.', "0.3"},
        {12.3456789, '.', "12.3456789"},
        {800.0, '.', "800"},
        {-50.0, '.', "-50"},
        {1.0, '.', "1"},
        {0.5, '.', "0.5"},
        {-0.5, '.', "-0.5"},
        {123456789012345.0, '.', "123456789012345"},
        {999999999999999.0, '.', "999999999999999"},
        {1.0 / 3.0, '.', "0.333333333333333"},
        {2.0 / 3.0, '.', "0.666666666666667"},
        {123.456789012345678, '.', "123.456789012346"},
        {0.0001, '.', "0.0001"},
        {0.00012345, '.', "0.00012345"},
        {-0.0001, '.', "-0.0001"},
        {13.333333333333334, '.', "13.3333333333333"},
        {16.666666666666668, '.', "16.6666666666667"},
    });
}

TEST(AppendPlainDouble, ExponentFormBelowMinusFourAndFromFifteen) {
    ExpectAllAppend(AppendPlainDouble, std::vector<DoubleCase>{
        {1e15, '.', "1E+15"},
        {-1e15, '.', "-1E+15"},
        {9999999999999999.0, '.', "1E+16"},  // rounds up to 16 digits
        {999999999999999.9, '.', "1E+15"},
        {1.5e16, '.', "1.5E+16"},
        {1.23456789012346e100, '.', "1.23456789012346E+100"},
        {1e-5, '.', "1E-05"},
        {-1e-5, '.', "-1E-05"},
        {0.000099999, '.', "9.9999E-05"},
        {1.5e-7, '.', "1.5E-07"},
        {1e-300, '.', "1E-300"},
        {std::numeric_limits<double>::max(), '.', "1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), '.', "4.94065645841247E-324"},
    });
}

TEST(AppendPlainDouble, SeparatorAndZeros) {
    ExpectAllAppend(AppendPlainDouble, std::vector<DoubleCase>{
        {4.5, ',', "4,5"},
        {-4.5, ',', "-4,5"},
        {123456.7, ',', "123456,7"},
        {1.5e16, ',', "1,5E+16"},
        {1e-5, ',', "1E-05"},
        {1000000.0, ',', "1000000"},  // never a thousands separator
        {0.0, '.', "0"},
        {-0.0, '.', "0"},
        {-0.0, ',', "0"},
    });
}

TEST(AppendPlainDouble, NonFiniteValuesDoNotCrash) {
    for (const double value : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
        std::string line;
        AppendPlainDouble(line, value, ',');
        EXPECT_FALSE(line.empty());
    }
}

TEST(AppendPlainDouble, TextReadsBackToTheSameText) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> decade(-12, 20);
    std::bernoulli_distribution negative(0.5);
    std::bernoulli_distribution comma(0.5);
    for (int i = 0; i < 5000; ++i) {
        double value = mantissa(random) * std::pow(10.0, decade(random));
        if (negative(random)) value = -value;
        const char separator = comma(random) ? ',' : '.';
        std::string text;
        AppendPlainDouble(text, value, separator);
        std::string again;
        AppendPlainDouble(again, ParseNumberText(text), separator);
        ASSERT_EQ(again, text) << "value " << value;
    }
}

TEST(AppendPlainSingle, SevenSignificantDigits) {
    ExpectAllAppend(AppendPlainSingle, std::vector<SingleCase>{
        {1.0333334f, '.', "1.033333"},
        {1.76f, '.', "1.76"},
        {2.0f, '.', "2"},
        {7.274667f, '.', "7.274667"},
        {1.2f, '.', "1.2"},
        {0.1f, '.', "0.1"},
        {-0.1f, '.', "-0.1"},
        {1234567.0f, '.', "1234567"},
        {9999999.0f, '.', "9999999"},
        {12345678.0f, '.', "1.234568E+07"},
        {10000000.0f, '.', "1E+07"},
        {0.0001f, '.', "0.0001"},
        {0.00001f, '.', "1E-05"},
        {std::numeric_limits<float>::max(), '.', "3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), '.', "1.401298E-45"},
        {1.76f, ',', "1,76"},
        {-12345678.0f, ',', "-1,234568E+07"},
        {0.0f, '.', "0"},
        {-0.0f, '.', "0"},
    });
}

TEST(AppendThreeDecimals, RoundsToThreeDecimals) {
    ExpectAllAppend(AppendThreeDecimals, std::vector<DoubleCase>{
        {10.0, '.', "10.000"},
        {13.333333333333334, '.', "13.333"},
        {16.666666666666668, '.', "16.667"},
        {static_cast<double>(1.0333334f), '.', "1.033"},
        {static_cast<double>(5.65488f), '.', "5.655"},
        {-5.0, '.', "-5.000"},
        {0.5, '.', "0.500"},
        {0.001, '.', "0.001"},
        {-16.666666666666668, '.', "-16.667"},
        {0.9995, '.', "1.000"},  // the double is just above the tie: carries
        {999.9996, '.', "1000.000"},
        {1e20, '.', "100000000000000000000.000"},
        {-1e20, '.', "-100000000000000000000.000"},
        {13.333, ',', "13,333"},
        {-2.5, ',', "-2,500"},
    });
}

TEST(AppendThreeDecimals, ExactTiesGoAwayFromZero) {
    ExpectAllAppend(AppendThreeDecimals, std::vector<DoubleCase>{
        {0.0625, '.', "0.063"},
        {-0.0625, '.', "-0.063"},
        {0.1875, '.', "0.188"},
        {-0.1875, '.', "-0.188"},
        {0.3125, '.', "0.313"},
        {0.4375, '.', "0.438"},
        {0.5625, '.', "0.563"},
        {0.6875, '.', "0.688"},
        {0.8125, '.', "0.813"},
        {0.9375, '.', "0.938"},
        {2.5625, '.', "2.563"},
        {-2.5625, '.', "-2.563"},
        {1000.0625, ',', "1000,063"},
        {-1000.0625, ',', "-1000,063"},
        {281474976710656.0625, '.', "281474976710656.063"},   // 2^48 + 1/16
        {562949953421311.0625, '.', "562949953421311.063"},   // 16 * it is 2^53 - 15
        {-562949953421311.9375, '.', "-562949953421311.938"}, // 16 * it is 2^53 - 1
    });
}

TEST(AppendThreeDecimals, NonTiesFollowTheExactBinaryValue) {
    ExpectAllAppend(AppendThreeDecimals, std::vector<DoubleCase>{
        {0.0005, '.', "0.001"},    // the double is slightly above 0.0005
        {-0.0005, '.', "-0.001"},
        {0.0015, '.', "0.002"},    // slightly above
        {1.0005, '.', "1.000"},    // slightly below
        {-1.0005, '.', "-1.000"},
        {2.0015, '.', "2.002"},    // slightly above
        {0.00049999, '.', "0.000"},
        {std::nextafter(0.0625, 0.0), '.', "0.062"},
        {std::nextafter(0.0625, 1.0), '.', "0.063"},
        {std::nextafter(-0.0625, 0.0), '.', "-0.062"},
    });
}

TEST(AppendThreeDecimals, NeverANegativeZero) {
    ExpectAllAppend(AppendThreeDecimals, std::vector<DoubleCase>{
        {0.0, '.', "0.000"},
        {-0.0, '.', "0.000"},
        {-0.0, ',', "0,000"},
        {-0.0004, '.', "0.000"},
        {-0.0004999, ',', "0,000"},
        {-1e-300, '.', "0.000"},
        {-std::numeric_limits<double>::denorm_min(), '.', "0.000"},
    });
}

TEST(AppendThreeDecimals, LargestValuesFit) {
    std::string line;
    AppendThreeDecimals(line, -std::numeric_limits<double>::max(), '.');
    ASSERT_EQ(line.size(), 1 + 309 + 4);
    EXPECT_EQ(line.substr(0, 8), "-1797693");
    EXPECT_EQ(line.substr(line.size() - 4), ".000");
}

TEST(AppendThreeDecimals, ResultIsWithinHalfAThousandth) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-2000.0, 2000.0);
    for (int i = 0; i < 5000; ++i) {
        const double v = value(random);
        std::string text;
        AppendThreeDecimals(text, v, ',');
        ASSERT_EQ(text.size() - text.find(','), 4u) << text;
        EXPECT_LE(std::fabs(ParseNumberText(text) - v), 0.0005 + 1e-12) << text;
    }
}

} // namespace
} // namespace passcat
