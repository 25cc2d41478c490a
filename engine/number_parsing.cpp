#include "engine/number_parsing.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "text/powers_of_ten.h"

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

} // namespace passcat
