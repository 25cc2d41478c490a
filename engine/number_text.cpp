#include "engine/number_text.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace passcat {
namespace {

bool IsDropped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a column text as it reads once blanks, TABs and line feeds are dropped and
// commas are taken as points. It is copied to read ahead and assigned back to accept.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // The next character that counts; '\0' at the end (a NUL stops a number anyway).
    char peek() {
        while (pos_ < text_.size() && IsDropped(text_[pos_])) ++pos_;
        if (pos_ == text_.size()) return '\0';
        return text_[pos_] == ',' ? '.' : text_[pos_];
    }
    // Takes the character peek() returned.
    void take() { end_ = ++pos_; }
    std::size_t pos() const { return pos_; }
    // Just past the last character taken, so trailing blanks are not part of it.
    std::size_t end() const { return end_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Exponent digits beyond this only push further into overflow or underflow; capping
// keeps the sum with a digit count (at most the text length) far inside int64.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// Decimal exponents of the first non-zero digit beyond which no double is near.
constexpr std::int64_t kMaxMagnitude = 308;   // 1E+309 and up overflow
constexpr std::int64_t kMinMagnitude = -324;  // below 1E-324 everything rounds to zero

// Writes formatted text with the point swapped for the separator and 'e' as 'E'.
void AppendSwapped(std::string& line, const char* first, const char* last, char decimalSeparator) {
    for (; first != last; ++first) {
        const char c = *first;
        line.push_back(c == '.' ? decimalSeparator : c == 'e' ? 'E' : c);
    }
}

// %.<precision>G: to_chars' general format with a precision follows printf's %g.
// At most 1 + precision + 1 + 5 characters go to out.
template <typename Float>
char* PutGeneral(char* out, Float value, int precision, char decimalSeparator) {
    // Only a zero can come out as "-0": every other value has a non-zero digit.
    if (value == 0) value = 0;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    for (const char* c = buffer; c != result.ptr; ++c)
        *out++ = *c == '.' ? decimalSeparator : *c == 'e' ? 'E' : *c;
    return out;
}

// ---- Fast paths. Each gives exactly the text or value of the general path below it,
// and hands over to that path where it could not be sure.

// Powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kWholePowersOfTen[] = {1,
                                               10,
                                               100,
                                               1000,
                                               10000,
                                               100000,
                                               1000000,
                                               10000000,
                                               100000000,
                                               1000000000,
                                               10000000000,
                                               100000000000,
                                               1000000000000,
                                               10000000000000,
                                               100000000000000,
                                               1000000000000000};

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

// A column text that is only a sign, up to 15 digits and one point or comma: the
// digits as a whole number, exact in a double, divided by an exact power of ten is
// the correctly rounded value. Nothing for any other text.
std::optional<double> ParsePlainDecimal(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t whole = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; p != end; ++p) {
        const char c = *p;
        if (IsDigit(c)) {
            whole = whole * 10 + static_cast<unsigned>(c - '0');
            ++digits;
            decimals += point ? 1 : 0;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
        if (digits > 15)
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    double value = static_cast<double>(whole);
    if (decimals > 0)
        value /= kPowersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

double ParseNumberText(std::string_view text) {
    if (const auto plain = ParsePlainDecimal(text)) return *plain;
    Reader reader(text);
    // A leading '&' (old &H / &O prefixes, not supported) starts no number: it reads 0.
    char c = reader.peek();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        reader.take();
        c = reader.peek();
    }
    const std::size_t begin = reader.pos();

    // Mantissa; magnitude ends as the decimal exponent of its first non-zero digit.
    std::int64_t digits = 0;
    std::int64_t magnitude = 0;
    bool nonZero = false;
    bool point = false;
    for (;; reader.take(), c = reader.peek()) {
        if (IsDigit(c)) {
            ++digits;
            if (!point) {
                if (nonZero) ++magnitude;
                else nonZero = c != '0';
            } else if (!nonZero) {
                --magnitude;
                nonZero = c != '0';
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return 0.0;  // "", "+", ".", "inf", "x" ...

    // Exponent: only when a digit follows the letter (and its sign); "1E+" reads 1.
    std::int64_t exponent = 0;
    if (c == 'e' || c == 'E') {
        Reader ahead = reader;
        ahead.take();
        char e = ahead.peek();
        const bool negativeExponent = e == '-';
        if (e == '+' || e == '-') {
            ahead.take();
            e = ahead.peek();
        }
        if (IsDigit(e)) {
            for (; IsDigit(e); ahead.take(), e = ahead.peek()) {
                if (exponent < kExponentCap) exponent = exponent * 10 + (e - '0');
            }
            if (negativeExponent) exponent = -exponent;
            reader = ahead;
        }
    }

    const double zero = negative ? -0.0 : 0.0;
    const double infinity = negative ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    if (!nonZero) return zero;  // "0E99999" is a zero, not an overflow
    magnitude += exponent;
    if (magnitude > kMaxMagnitude) return infinity;
    if (magnitude < kMinMagnitude) return zero;

    // from_chars needs the number contiguous: a number with blanks or a comma in it is
    // compacted, on the stack when short. The sign was taken above (from_chars refuses '+').
    std::string_view number = text.substr(begin, reader.end() - begin);
    char small[64];
    std::string large;
    if (number.find_first_of(" \t\n,") != std::string_view::npos) {
        char* out = small;
        if (number.size() > sizeof small) {
            large.resize(number.size());
            out = large.data();
        }
        char* const first = out;
        for (const char ch : number) {
            if (!IsDropped(ch)) *out++ = ch == ',' ? '.' : ch;
        }
        number = std::string_view(first, static_cast<std::size_t>(out - first));
    }

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    // Out of range comes without a value: near the limits the magnitude tells which way.
    if (result.ec == std::errc::result_out_of_range) return magnitude < 0 ? zero : infinity;
    return negative ? -value : value;
}

char* PutPlainDouble(char* out, double value, char decimalSeparator) {
    if (char* end = PutShortThousandths(out, value, decimalSeparator)) return end;
    if (char* end = PutGeneralFixed(out, value, 15, decimalSeparator)) return end;
    return PutGeneral(out, value, 15, decimalSeparator);
}

char* PutShortThreeDecimals(char* out, double value, char decimalSeparator) {
    return PutThreeDecimalsFast(out, value, decimalSeparator);
}

void AppendPlainDouble(std::string& line, double value, char decimalSeparator) {
    char out[kNumberTextRoom];
    line.append(out, PutPlainDouble(out, value, decimalSeparator));
}

void AppendPlainSingle(std::string& line, float value, char decimalSeparator) {
    char out[kNumberTextRoom];
    char* end = PutGeneralFixed(out, value, 7, decimalSeparator);
    if (!end) end = PutGeneral(out, value, 7, decimalSeparator);
    line.append(out, end);
}

void AppendThreeDecimals(std::string& line, double value, char decimalSeparator) {
    char out[kNumberTextRoom];
    if (char* end = PutThreeDecimalsFast(out, value, decimalSeparator)) {
        line.append(out, end);
        return;
    }
    // A double lies exactly halfway between two results only when it is m/16 with m
    // odd (m/16 = 125m/2000 needs a power-of-two denominator), and then m < 2^53.
    // to_chars would round such a tie to even, so ties are done here in integers.
    const double sixteenths = std::fabs(value) * 16;
    if (sixteenths < 9007199254740992.0 && sixteenths == std::floor(sixteenths) &&
        std::fmod(sixteenths, 2.0) == 1.0) {
        const auto m = static_cast<std::uint64_t>(sixteenths);
        const std::uint64_t thousandths = (m * 125 + 1) / 2;  // m * 62.5, half away from zero
        if (value < 0) line.push_back('-');
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, thousandths / 1000);
        line.append(buffer, result.ptr);
        line.push_back(decimalSeparator);
        const auto fraction = static_cast<unsigned>(thousandths % 1000);
        line.push_back(static_cast<char>('0' + fraction / 100));
        line.push_back(static_cast<char>('0' + fraction / 10 % 10));
        line.push_back(static_cast<char>('0' + fraction % 10));
        return;
    }

    char buffer[400];  // the largest double has 309 integer digits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    const char* first = buffer;
    // A small negative value rounds to "-0.000": written without the minus.
    if (*first == '-' && std::all_of(first + 1, static_cast<const char*>(result.ptr),
                                     [](char c) { return c == '0' || c == '.'; })) {
        ++first;
    }
    AppendSwapped(line, first, result.ptr, decimalSeparator);
}

} // namespace passcat
