// Number texts both ways: the value of a column text, bit for bit (the sign of a zero
// counts), and the report's texts against the standard library's exact conversions.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "engine/number_formatting.h"
#include "engine/number_parsing.h"

namespace {

using namespace passcat;
using namespace std::string_literals;

constexpr double kInf = std::numeric_limits<double>::infinity(), kMax = std::numeric_limits<double>::max(),
                 kTiny = std::numeric_limits<double>::denorm_min();
const std::string k400 = "1" + std::string(399, '0'), kNines(1000, '9'), kMiB(std::size_t{1} << 20, '0');

// "1 5", zeros and the exponent that brings them back, of lengths around the compacting buffer.
std::string Compacted(std::size_t zeros) { return "1 5" + std::string(zeros, '0') + ",E-" + std::to_string(zeros + 1); }

struct ParseCase { std::string text; double value; };
const ParseCase kParseCases[] = {
    // A comma is a point; only one point, whichever character, and the second ends the number. Blanks,
    // TABs and line feeds are dropped anywhere; other white space is not.
    {"1,5", 1.5}, {"-12,5", -12.5}, {",5", 0.5}, {"5,", 5}, {"1,2E3", 1200}, {"1.234,5", 1.234}, {"1,234.5", 1.234},
    {"1..5", 1}, {"0.0.1E400", 0}, {"2,0,0E999", 2}, {"1 234,5", 1234.5}, {"- 1 2", -12}, {"\t7\t", 7},
    {"1\t2\n3 4", 1234}, {"1 E - 2", 0.01}, {" \t\n", 0}, {"12\r", 12}, {"\r12", 0}, {"\v12", 0}, {"1\xC2\xA0" "2", 1},
    {"1\0" "2"s, 1}, {"\0" "12"s, 0},
    // '&' starts no number; one sign at most; the longest number at the start; an exponent needs a digit
    // after its letter and sign.
    {"&H10", 0}, {" & 5", 0}, {"-&H10", 0}, {"12&", 12}, {"+7", 7}, {"-.5", -0.5}, {"-5.", -5}, {"-000.2500", -0.25},
    {"-0", -0.0}, {"-0,000", -0.0}, {"--5", 0}, {"+-5", 0}, {"-", 0}, {"-x", 0}, {"+ - 5", 0}, {"12m", 12},
    {"3.5km", 3.5}, {"1-2", 1}, {"0x10", 0}, {"1e5e6", 1e5}, {"1E5.5", 1e5}, {"1E+5-3", 1e5}, {"7d2", 7}, {"", 0},
    {".", 0}, {"inf", 0}, {"-nan", 0}, {"abc12", 0}, {"1e3", 1000}, {"1E-3", 0.001}, {".5e1", 5}, {"1E", 1},
    {"1E+", 1}, {"1E-", 1}, {"3E x", 3}, {"4E+-1", 4}, {"-6E", -6}, {"E5", 0}, {"-E5", 0}, {".E5", 0},
    {"1E" + std::string(30, '0') + "5", 1e5},
    // Correctly rounded, to even at halfway, all digits counting; overflow gives an infinity, underflow a
    // zero, each with the number's sign.
    {"0.1", 0.1}, {"0,3", 0.3}, {"123456789012345", 123456789012345}, {"1234567890123456", 1234567890123456},
    {"123456789012345678", 123456789012345678.0}, {"9007199254740993", 9007199254740992.0},
    {"9007199254740993.0000000000000001", 9007199254740994.0}, {"9007199254740995", 9007199254740996.0},
    {"0.30000000000000004", 0.30000000000000004}, {"1.7976931348623157E308", kMax}, {"3e-324", kTiny},
    {"2.2250738585072011e-308", 2.2250738585072011e-308}, {"2.4703282292062328e-324", kTiny}, {"1E309", kInf},
    {"-1E400", -kInf}, {"1.7976931348623159E308", kInf}, {"0.001E311", 1e308}, {"0.01E311", kInf},
    {"2.4703282292062327e-324", 0}, {"-2e-324", -0.0}, {"1000E-327", 0}, {"-1E-400", -0.0}, {"0E99999", 0},
    {"-0E99999", -0.0}, {"0.000E-99999", 0}, {k400, kInf}, {"-" + k400, -kInf}, {k400 + "E-400", 0.1},
    {"0." + std::string(399, '0') + "1", 0}, {"0." + std::string(399, '0') + "1E+400", 1}, {"1E" + kNines, kInf},
    {"-1E" + kNines, -kInf}, {"1E-" + kNines, 0}, {"-1E-" + kNines, -0.0}, {"0E" + kNines, 0},
    {"1E92233720368547758080", kInf}, {"1E-18446744073709551617", 0},
    // Long digit strings: a mebibyte of them, ties decided far on, compacted on the heap.
    {"1" + std::string(300, '0') + "." + kMiB, 1e300}, {std::string(kMiB.size(), '7'), kInf},
    {"0." + kMiB + "25E+" + std::to_string(kMiB.size() + 1), 2.5}, {"9007199254740993." + kMiB, 9007199254740992.0},
    {"9007199254740993." + kMiB + "1", 9007199254740994.0}, {"- 0," + kMiB + " 3", -0.0}, {Compacted(55), 1.5},
    {Compacted(56), 1.5}, {Compacted(57), 1.5}, {Compacted(58), 1.5}, {Compacted(300), 1.5},
    {"1,5" + std::string(100000, ' ') + "0 0", 1.5},
};

TEST(ParseNumberText, ValueOfEachText)
{
    for (const ParseCase& c : kParseCases)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ParseNumberText(c.text)), std::bit_cast<std::uint64_t>(c.value))
            << '"' << c.text.substr(0, 60) << "\" (" << c.text.size() << " bytes): " << ParseNumberText(c.text);
}

// The text of to_chars with the separator for the point, 'E' for 'e' and no negative
// zero; an exact tie of three decimals (m/16, m odd, so m < 2^53) away from zero.
template <typename Float>
std::string Reference(Float value, std::chars_format format, int precision, char separator)
{
    char text[kNumberTextRoom];
    std::string s(text, std::to_chars(text, text + sizeof text, value, format, precision).ptr);
    if (const double sixteenths = std::fabs(value) * 16; format == std::chars_format::fixed && std::fmod(sixteenths, 2.0) == 1) {
        const auto thousandths = (static_cast<std::uint64_t>(sixteenths) * 125 + 1) / 2;
        s = std::string(value < 0, '-') + std::to_string(thousandths / 1000) + "."
            + std::to_string(thousandths % 1000 + 1000).substr(1);
    }
    for (char& c : s)
        c = c == '.' ? separator : c == 'e' ? 'E' : c;
    return s[0] == '-' && s.find_first_not_of("0.,", 1) == std::string::npos ? s.substr(1) : s;
}

// Thousandths of many sizes, their differences, values near the ties of the third
// decimal and of the fifteenth digit, exact ties, numbers around the exponent forms,
// any double; each perhaps a few steps off either way, of either sign.
double RandomValue(std::mt19937_64& random)
{
    const std::uint64_t r = random();
    const auto k = static_cast<double>(random() >> (r % 60));
    double v = std::bit_cast<double>(random());
    switch (r >> 6 & 7) {
    case 0: v = k / 1000; break;
    case 1: v = k / 1000 - static_cast<double>(random() % 100000000) / 1000; break;
    case 2: v = (k + 0.5) / 1000; break;
    case 3: v = (2 * std::floor(k / 2) + 1) / 16; break;
    case 4: v = (std::fmod(k, 9e14) + 1e14 + 0.5) * std::pow(10.0, static_cast<int>(r >> 9 & 63) - 40); break;
    case 5: v = (1 + std::fmod(k, 1000) / 1000) * std::pow(10.0, static_cast<int>(r >> 9 & 31) - 10); break;
    }
    for (auto steps = r >> 16 & 3; steps > 0; --steps)
        v = std::nextafter(v, r >> 18 & 1 ? 0.0 : 1e300);
    return std::isfinite(v) ? (r >> 19 & 1 ? -v : v) : 0.5;
}

TEST(NumberTexts, SameAsTheStandardConversions)
{
    std::mt19937_64 random(20261207);
    char t[kNumberTextRoom];
    for (int i = 0; i < 400000 && !HasFailure(); ++i) {
        const double v = RandomValue(random);
        const float f = i % 3 ? static_cast<float>(v) : std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        const char sep = i % 2 ? ',' : '.';
        const auto expect = [&](auto put, auto value, std::chars_format format, int precision) {
            EXPECT_EQ(std::string(t, put(t, value, sep)), Reference(value, format, precision, sep)) << std::hexfloat << value;
        };
        expect(PutPlainDouble, v, std::chars_format::general, 15);
        expect(PutThreeDecimals, v, std::chars_format::fixed, 3);
        expect(PutPlainSingle, f, std::chars_format::general, 7);
    }
}

} // namespace
