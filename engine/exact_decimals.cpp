#include "engine/exact_decimals.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "text/powers_of_ten.h"

namespace passcat {
namespace {

// The exact arithmetic below needs every double step rounded once, to double.
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
constexpr bool kExactDoubleSteps = true;
#else
constexpr bool kExactDoubleSteps = false;
#endif

// Writes the count lowest decimal digits of value, leading zeros included, so that
// they end just before end. Straight to the destination: a text assembled elsewhere
// and copied over would be read back while its bytes are still being stored.
void PutDigitsBefore(char* end, std::uint64_t value, std::size_t count)
{
    for (; count >= 2; count -= 2) {
        const auto pair = static_cast<unsigned>(value % 100);
        value /= 100;
        *--end = static_cast<char>('0' + pair % 10);
        *--end = static_cast<char>('0' + pair / 10);
    }
    if (count == 1)
        *--end = static_cast<char>('0' + value % 10);
}

// a * b = high + low exactly (Dekker's product, no fused multiply-add needed), for
// products far from overflow and underflow.
struct ExactProduct {
    double high;
    double low;
};

ExactProduct MultiplyExactly(double a, double b)
{
    const auto split = [](double x, double& high, double& low) {
        const double c = 134217729.0 * x; // 2^27 + 1
        high = c - (c - x);
        low = x - high;
    };
    double aHigh, aLow, bHigh, bLow;
    split(a, aHigh, aLow);
    split(b, bHigh, bLow);
    const double high = a * b;
    const double low = aLow * bLow - (((high - aHigh * bHigh) - aLow * bHigh) - aHigh * bLow);
    return {high, low};
}

// a * 10^scale, for a >= 0 and a product below 2^52, rounded to a whole number by its
// exact value: the whole number below it, and whether the rest is below (-1), exactly
// (0) or above (1) one half.
struct ScaledWhole {
    std::uint64_t below;
    int versusHalf;
};

ScaledWhole ScaleToWhole(double a, int scale)
{
    const auto [high, low] = MultiplyExactly(a, kPowersOfTen[scale]);
    const auto whole = static_cast<std::uint64_t>(high); // high >= 0: truncation is floor
    // high - whole is exact; the difference to one half is exact where it matters
    // (near zero), and adding low keeps its sign.
    const double rest = (high - static_cast<double>(whole) - 0.5) + low;
    return {whole, rest < 0 ? -1 : rest > 0 ? 1 : 0};
}

// ScaleToWhole's result, from the rounded product where that is far enough from a
// whole number and from a half: the product is within p * 2^-53 of the exact one,
// so both have the same whole part and lie on the same side of the half. The exact
// product only within the margin, which also covers the subtraction of one half.
ScaledWhole ScaleToWholeQuick(double a, int scale)
{
    const double p = a * kPowersOfTen[scale];
    if (p < 0x1p52) {
        const auto whole = static_cast<std::uint64_t>(p);
        const double rest = (p - static_cast<double>(whole)) - 0.5; // p - whole is exact
        const double margin = p * 0x1p-51 + 0x1p-50;
        const double distance = std::fabs(rest);
        if (distance > margin && distance < 0.5 - margin)
            return {whole, rest < 0 ? -1 : 1};
    }
    return ScaleToWhole(a, scale);
}

} // namespace

// %.<precision>G for precision 7 or 15 where it is written without exponent: the
// value rounded to that many significant digits, as a whole number of digits scaled
// by the decimal exponent. Null, with nothing written, for exponent forms, exact
// ties and values out of range.
char* PutGeneralFixed(char* o, double value, int precision, char decimalSeparator)
{
    if (!kExactDoubleSteps)
        return nullptr;
    const double a = std::fabs(value);
    if (a == 0) {
        *o++ = '0';
        return o;
    }
    if (!(a >= 1e-5 && a < 1e15))
        return nullptr;
    // The decimal exponent: exact from 1 on; below 1 compared with the nearest
    // doubles to the powers of ten, which the loop corrects at the very boundaries.
    int exponent = 0;
    if (a >= 1) {
        const auto binaryExponent = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7FF) - 1023;
        exponent = ((binaryExponent + 1) * 78913) >> 18; // floor((binaryExponent + 1) * log10(2))
        if (a < kPowersOfTen[exponent])
            --exponent;
    } else {
        constexpr double kTenths[] = {1e-1, 1e-2, 1e-3, 1e-4, 1e-5};
        exponent = -1;
        while (exponent > -5 && a < kTenths[-exponent - 1])
            --exponent;
    }
    std::uint64_t digits = 0;
    for (int attempt = 0;; ++attempt) {
        const int scale = precision - 1 - exponent;
        if (attempt == 4 || scale < 0 || scale > 22)
            return nullptr;
        if (a * kPowersOfTen[scale] >= static_cast<double>(kWholePowersOfTen[precision])) {
            ++exponent; // too many digits, or rounding up to the next power of ten
            continue;
        }
        const ScaledWhole scaled = ScaleToWholeQuick(a, scale);
        // The exact product below 10^(precision - 1) means the exponent is too high,
        // even when it would round up to that power.
        if (scaled.below < kWholePowersOfTen[precision - 1]) {
            --exponent;
            continue;
        }
        if (scaled.versusHalf == 0)
            return nullptr; // a tie: the general path rounds it
        digits = scaled.below + (scaled.versusHalf > 0 ? 1 : 0);
        if (digits == kWholePowersOfTen[precision]) {
            ++exponent;
            continue;
        }
        break;
    }
    if (exponent < -4 || exponent >= precision)
        return nullptr; // exponent form

    // Trailing zeros go before the digits are written: strides of 8, 4, 2 and 1 take
    // any count up to 15.
    std::size_t length = static_cast<std::size_t>(precision);
    for (const auto& [power, count] : {std::pair<std::uint64_t, std::size_t>{100000000, 8}, {10000, 4}, {100, 2},
                                       {10, 1}}) {
        if (digits % power == 0) {
            digits /= power;
            length -= count;
        }
    }
    // Runs of zeros are at most 15 characters: copied as 16 and the end moved by
    // their length, within the room the caller gives.
    static constexpr char kZeros[16] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'};
    if (value < 0)
        *o++ = '-';
    if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (length <= whole) {
            PutDigitsBefore(o + length, digits, length);
            o += length;
            std::memcpy(o, kZeros, 16);
            o += whole - length;
        } else {
            const std::uint64_t split = kWholePowersOfTen[length - whole];
            PutDigitsBefore(o + whole, digits / split, whole);
            o += whole;
            *o++ = decimalSeparator;
            PutDigitsBefore(o + (length - whole), digits % split, length - whole);
            o += length - whole;
        }
    } else {
        *o++ = '0';
        *o++ = decimalSeparator;
        std::memcpy(o, kZeros, 16);
        o += -exponent - 1;
        PutDigitsBefore(o + length, digits, length);
        o += length;
    }
    return o;
}

// %.15G for a value that is the double nearest to a number of thousandths k/1000
// with 0 < k < 10^15 (distances and heights as typed, mostly). That number has at
// most 15 significant digits and the double is within a ninth of a unit of the
// fifteenth digit of it, so it is what %.15G writes: k/1000 in plain digits (its
// exponent lies between -3 and 11), without trailing zeros or a trailing point.
// Null, with nothing written, for any other value.
char* PutShortThousandths(char* dst, double value, char decimalSeparator)
{
    if (!kExactDoubleSteps)
        return nullptr;
    const double a = std::fabs(value);
    if (!(a >= 0.0005 && a < 1e12))
        return nullptr;
    // Any whole k would do for the test below; this one passes it when any does.
    const auto k = static_cast<std::uint64_t>(a * 1000 + 0.5);
    if (k == 0 || static_cast<double>(k) / 1000 != a) // k < 2^53: exact; the quotient correctly rounded
        return nullptr;
    const std::uint64_t whole = k / 1000;
    auto fraction = static_cast<unsigned>(k % 1000);
    char* o = dst;
    if (value < 0)
        *o++ = '-';
    o = std::to_chars(o, o + 24, whole).ptr;
    // The fraction's digits without trailing zeros.
    if (fraction != 0) {
        std::size_t decimals = 3;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
        *o++ = decimalSeparator;
        PutDigitsBefore(o + decimals, fraction, decimals);
        o += decimals;
    }
    return o;
}

// Pattern "0.000" for values below 10^12: the exact value rounded to thousandths,
// exact ties away from zero. Null, with nothing written, for larger values.
char* PutThreeDecimalsFast(char* dst, double value, char decimalSeparator)
{
    const double a = std::fabs(value);
    if (!kExactDoubleSteps || !(a < 1e12))
        return nullptr;
    // The rounded product is within half its unit in the last place (at most
    // p * 2^-53) of the exact one. When its fractional part is further than that
    // from one half, both round to the same whole number; with the margin below
    // (which also covers the subtraction of one half, exact for p >= 1 and off by
    // at most 2^-54 below) only products very near a tie take the exact product.
    const double p = a * 1000;
    const auto whole = static_cast<std::uint64_t>(p); // p >= 0: truncation is floor
    const double rest = (p - static_cast<double>(whole)) - 0.5; // p - whole is exact: p < 2^52
    std::uint64_t thousandths = 0;
    if (std::fabs(rest) > p * 0x1p-50 + 0x1p-50) {
        thousandths = whole + (rest > 0 ? 1 : 0);
    } else {
        const ScaledWhole scaled = ScaleToWhole(a, 3);
        thousandths = scaled.below + (scaled.versusHalf >= 0 ? 1 : 0);
    }
    char* o = dst;
    if (value < 0 && thousandths != 0)
        *o++ = '-';
    const std::uint64_t units = thousandths / 1000;
    o = std::to_chars(o, o + 24, units).ptr;
    const auto fraction = static_cast<unsigned>(thousandths - units * 1000);
    o[0] = decimalSeparator;
    o[1] = static_cast<char>('0' + fraction / 100);
    o[2] = static_cast<char>('0' + fraction / 10 % 10);
    o[3] = static_cast<char>('0' + fraction % 10);
    return o + 4;
}

} // namespace passcat
