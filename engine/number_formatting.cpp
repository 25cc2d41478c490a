#include "engine/number_formatting.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "engine/exact_decimals.h"

namespace passcat {
namespace {

// Copies a text of to_chars with the point swapped for the separator and 'e' as 'E'.
char* PutSwapped(char* out, const char* first, const char* last, char decimalSeparator)
{
    for (; first != last; ++first)
        *out++ = *first == '.' ? decimalSeparator : *first == 'e' ? 'E' : *first;
    return out;
}

// %.<precision>G: to_chars' general format with a precision follows printf's %g.
template <typename Float>
char* PutGeneral(char* out, Float value, int precision, char decimalSeparator)
{
    // Only a zero can come out as "-0": every other value has a non-zero digit.
    if (value == 0)
        value = 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return PutSwapped(out, buffer, result.ptr, decimalSeparator);
}

// Three decimals of any value: exact ties in integers, the rest by to_chars.
char* PutThreeDecimalsGeneral(char* o, double value, char decimalSeparator)
{
    // A double lies exactly halfway between two results only when it is m/16 with m
    // odd (m/16 = 125m/2000 needs a power-of-two denominator), and then m < 2^53.
    // to_chars would round such a tie to even, so ties are done here in integers.
    const double sixteenths = std::fabs(value) * 16;
    if (sixteenths < 9007199254740992.0 && sixteenths == std::floor(sixteenths) &&
        std::fmod(sixteenths, 2.0) == 1.0) {
        const auto m = static_cast<std::uint64_t>(sixteenths);
        const std::uint64_t thousandths = (m * 125 + 1) / 2; // m * 62.5, half away from zero
        if (value < 0)
            *o++ = '-';
        o = std::to_chars(o, o + 24, thousandths / 1000).ptr;
        *o++ = decimalSeparator;
        const auto fraction = static_cast<unsigned>(thousandths % 1000);
        *o++ = static_cast<char>('0' + fraction / 100);
        *o++ = static_cast<char>('0' + fraction / 10 % 10);
        *o++ = static_cast<char>('0' + fraction % 10);
        return o;
    }
    char buffer[kNumberTextRoom];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    const char* first = buffer;
    // A small negative value rounds to "-0.000": written without the minus.
    if (*first == '-' && std::all_of(first + 1, static_cast<const char*>(result.ptr),
                                     [](char c) { return c == '0' || c == '.'; })) {
        ++first;
    }
    return PutSwapped(o, first, result.ptr, decimalSeparator);
}

} // namespace

char* PutPlainDouble(char* out, double value, char decimalSeparator)
{
    if (char* end = PutShortThousandths(out, value, decimalSeparator))
        return end;
    if (char* end = PutGeneralFixed(out, value, 15, decimalSeparator))
        return end;
    return PutGeneral(out, value, 15, decimalSeparator);
}

char* PutPlainSingle(char* out, float value, char decimalSeparator)
{
    if (char* end = PutGeneralFixed(out, value, 7, decimalSeparator))
        return end;
    return PutGeneral(out, value, 7, decimalSeparator);
}

char* PutThreeDecimals(char* out, double value, char decimalSeparator)
{
    if (char* end = PutThreeDecimalsFast(out, value, decimalSeparator))
        return end;
    return PutThreeDecimalsGeneral(out, value, decimalSeparator);
}

} // namespace passcat
