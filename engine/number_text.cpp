#include "engine/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

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
template <typename Float>
void AppendGeneral(std::string& line, Float value, int precision, char decimalSeparator) {
    // Only a zero can come out as "-0": every other value has a non-zero digit.
    if (value == 0) value = 0;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    AppendSwapped(line, buffer, result.ptr, decimalSeparator);
}

} // namespace

double ParseNumberText(std::string_view text) {
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

void AppendPlainDouble(std::string& line, double value, char decimalSeparator) {
    AppendGeneral(line, value, 15, decimalSeparator);
}

void AppendPlainSingle(std::string& line, float value, char decimalSeparator) {
    AppendGeneral(line, value, 7, decimalSeparator);
}

void AppendThreeDecimals(std::string& line, double value, char decimalSeparator) {
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
