// The number texts against straightforward reference conversions built on the
// standard library's exact formatting and parsing, over many random values: every
// shortcut of the product must give the same bytes.
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace passcat {
namespace {

std::string Swapped(const char* first, const char* last, char separator)
{
    std::string text;
    for (; first != last; ++first)
        text.push_back(*first == '.' ? separator : *first == 'e' ? 'E' : *first);
    return text;
}

template <typename Float>
std::string ReferenceGeneral(Float value, int precision, char separator)
{
    if (value == 0)
        value = 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return Swapped(buffer, result.ptr, separator);
}

// Three decimals by the exact decimal expansion of the value: the digits beyond the
// third decide, exact ties away from zero.
std::string ReferenceThreeDecimals(double value, char separator)
{
    char buffer[1400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, 1074);
    std::string text(buffer, result.ptr);
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string decimals = text.substr(point + 1, 3);
    const std::string rest = text.substr(point + 4);
    const bool up = !rest.empty() && rest[0] >= '5';
    std::string digits = whole + decimals;
    if (up) {
        std::size_t k = digits.size();
        while (k > 0 && digits[k - 1] == '9')
            digits[--k] = '0';
        if (k == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[k - 1];
    }
    const bool zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
    std::string out = (std::signbit(value) && !zero) ? "-" : "";
    out += digits.substr(0, digits.size() - 3);
    out += separator;
    out += digits.substr(digits.size() - 3);
    return out;
}

double ReferenceParse(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.erase(0, 1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

// Doubles of every kind that the report meets: differences of decimal distances and
// heights, grades, ratios, values next to ties and powers of ten, random bit patterns.
std::vector<double> Values(std::uint64_t seed, int count)
{
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<std::int64_t> thousandths(-50000000, 50000000);
    std::uniform_int_distribution<int> exponent(-6, 16);
    std::uniform_real_distribution<double> unit(1.0, 10.0);
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        double v = 0;
        switch (kind(random)) {
        case 0:
            v = static_cast<double>(thousandths(random)) / 1000.0;
            break;
        case 1:
            v = static_cast<double>(thousandths(random)) / 1000.0 - static_cast<double>(thousandths(random)) / 1000.0;
            break;
        case 2:
            v = static_cast<double>(thousandths(random)) / static_cast<double>(thousandths(random) | 1) * 100;
            break;
        case 3:
            v = unit(random) * std::pow(10.0, exponent(random));
            break;
        case 4: // near a tie of the third decimal
            v = std::nextafter((static_cast<double>(thousandths(random)) + 0.5) / 1000.0,
                               random() % 2 ? 1e300 : -1e300);
            break;
        case 5: // exact ties of the third decimal and of the last digits
            v = static_cast<double>(thousandths(random) * 2 + 1) / 16.0;
            break;
        case 6: // powers of ten and values a few dozen steps from them, either way
        {
            v = std::pow(10.0, exponent(random));
            const int steps = static_cast<int>(random() % 80);
            const double toward = random() % 2 ? 0.0 : 1e300;
            for (int k = 0; k < steps; ++k)
                v = std::nextafter(v, toward);
            break;
        }
        case 7:
            v = static_cast<double>(static_cast<float>(unit(random) * std::pow(10.0, exponent(random) / 2)));
            break;
        case 8: // any finite double
            do {
                v = std::bit_cast<double>(random());
            } while (!std::isfinite(v));
            break;
        default: // whole numbers of many digits
            v = static_cast<double>(static_cast<std::int64_t>(random() >> (11 + random() % 50)));
            break;
        }
        values.push_back(random() % 2 ? -v : v);
    }
    return values;
}

TEST(NumberTextExactness, PlainDoubleMatchesTheFifteenDigitGeneralFormat)
{
    for (const double v : Values(1, 400000)) {
        std::string text;
        AppendPlainDouble(text, v, ',');
        ASSERT_EQ(text, ReferenceGeneral(v, 15, ',')) << std::hexfloat << v;
    }
}

TEST(NumberTextExactness, PlainSingleMatchesTheSevenDigitGeneralFormat)
{
    for (const double d : Values(2, 400000)) {
        const auto v = static_cast<float>(d);
        std::string text;
        AppendPlainSingle(text, v, '.');
        ASSERT_EQ(text, ReferenceGeneral(v, 7, '.')) << std::hexfloat << v;
    }
}

TEST(NumberTextExactness, ThreeDecimalsMatchTheExactExpansion)
{
    for (const double v : Values(3, 200000)) {
        if (std::fabs(v) > 1e30)
            continue; // the reference's buffer; large values are covered elsewhere
        std::string text;
        AppendThreeDecimals(text, v, '.');
        ASSERT_EQ(text, ReferenceThreeDecimals(v, '.')) << std::hexfloat << v;
    }
}

// Numbers of thousandths of every size a double holds to 15 digits, the doubles a
// few steps either side of them, and values near the ties of the third decimal and
// of the fifteenth digit, where the rounded product alone cannot decide.
std::vector<double> ThousandthsAndNeighbours(std::uint64_t seed, int count)
{
    std::mt19937_64 random(seed);
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        const int digits = 1 + static_cast<int>(random() % 16); // 1 to 16 digits of k
        std::uint64_t k = random() % 10000000000000000;
        std::uint64_t limit = 1;
        for (int d = 0; d < digits; ++d)
            limit *= 10;
        k %= limit;
        if (random() % 4 == 0)
            k -= k % 10; // trailing zeros
        double v = 0;
        switch (random() % 5) {
        case 0:
            v = static_cast<double>(k) / 1000.0;
            break;
        case 1: // a few steps from it
        {
            v = static_cast<double>(k) / 1000.0;
            const int steps = 1 + static_cast<int>(random() % 4);
            const double toward = random() % 2 ? 0.0 : 1e300;
            for (int s = 0; s < steps; ++s)
                v = std::nextafter(v, toward);
            break;
        }
        case 2: // near a tie of the third decimal
        {
            v = (static_cast<double>(k) + 0.5) / 1000.0;
            const int steps = static_cast<int>(random() % 3);
            const double toward = random() % 2 ? 0.0 : 1e300;
            for (int s = 0; s < steps; ++s)
                v = std::nextafter(v, toward);
            break;
        }
        case 3: // a value nearest some thousandths, differences of them
            v = static_cast<double>(k) / 1000.0 - static_cast<double>(random() % 100000000) / 1000.0;
            break;
        default: // near a tie of the fifteenth significant digit, at any scale
        {
            const std::uint64_t fifteen = 100000000000000 + random() % 900000000000000;
            v = (static_cast<double>(fifteen) + 0.5) / std::pow(10.0, static_cast<double>(random() % 30) - 10);
            const int steps = static_cast<int>(random() % 3);
            const double toward = random() % 2 ? 0.0 : 1e300;
            for (int s = 0; s < steps; ++s)
                v = std::nextafter(v, toward);
            break;
        }
        }
        values.push_back(random() % 2 ? -v : v);
    }
    return values;
}

TEST(NumberTextExactness, ThousandthsAndTheirNeighboursMatchTheReferences)
{
    for (const double v : ThousandthsAndNeighbours(5, 600000)) {
        std::string text;
        AppendPlainDouble(text, v, ',');
        ASSERT_EQ(text, ReferenceGeneral(v, 15, ',')) << std::hexfloat << v;
        text.clear();
        AppendThreeDecimals(text, v, '.');
        ASSERT_EQ(text, ReferenceThreeDecimals(v, '.')) << std::hexfloat << v;
    }
}

TEST(NumberTextExactness, PlainDecimalTextsParseCorrectlyRounded)
{
    std::mt19937_64 random(4);
    std::uniform_int_distribution<int> length(1, 18);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 300000; ++i) {
        std::string text = random() % 3 == 0 ? "-" : random() % 5 == 0 ? "+" : "";
        const int digits = length(random);
        const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 2)) - 1;
        for (int k = 0; k < digits; ++k) {
            if (k == point)
                text += random() % 2 ? ',' : '.';
            text += static_cast<char>('0' + digit(random));
        }
        const double got = ParseNumberText(text);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(ReferenceParse(text))) << text;
    }
}

} // namespace
} // namespace passcat
