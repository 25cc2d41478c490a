#include "tracks/track_texts.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <system_error>

#include "engine/cp1251.h"

namespace passcat::tracks {
namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits with at most one point among them, at least one digit; from_chars alone
    // would also take "inf" and "nan".
    bool anyDigit = false;
    bool point = false;
    bool wholePartZero = true;
    std::uint64_t mantissa = 0;
    int digits = 0;   // in mantissa, leading zeros left out
    int decimals = 0; // of them after the point
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            wholePartZero = wholePartZero && (point || c == '0');
            if (mantissa != 0 || c != '0')
                ++digits;
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0'); // only used while digits <= 15
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    // Up to 15 digits and 22 decimals, both the digits and the power of ten are exact
    // doubles, so their quotient is the correctly rounded value, as from_chars gives it.
    if (digits <= 15 && decimals <= 22) {
        const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        return negative ? -value : value;
    }
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Past the largest double, or below the smallest, which is zero.
        if (!wholePartZero)
            return std::nullopt;
        value = 0;
    } else if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

bool IsValidPosition(const std::optional<double>& latitude, const std::optional<double>& longitude)
{
    return latitude && longitude && std::fabs(*latitude) <= 90 && std::fabs(*longitude) <= 180;
}

std::string NormalizedName(std::string_view name)
{
    name = Trimmed(name);
    std::string normalized;
    normalized.reserve(name.size());
    bool inSpace = false;
    for (const char c : name) {
        if (IsSpace(c)) {
            inSpace = true;
            continue;
        }
        if (inSpace)
            normalized.push_back(' ');
        inSpace = false;
        normalized.push_back(c);
    }
    return normalized;
}

void CappedText::append(std::string_view piece)
{
    const std::size_t room = kLimit - text_.size();
    if (piece.size() > room) {
        piece = piece.substr(0, room);
        overflowed_ = true;
    }
    text_.append(piece);
}

std::string CappedText::name() const
{
    std::string_view text = text_;
    if (overflowed_) {
        // Drop a character cut in two: back to its lead byte, if its bytes are not all there.
        std::size_t lead = text.size();
        while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80 && text.size() - lead < 3)
            --lead;
        if (lead > 0) {
            const auto byte = static_cast<unsigned char>(text[lead - 1]);
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            if (text.size() - (lead - 1) < length)
                text = text.substr(0, lead - 1);
        }
    }
    return NormalizedName(text);
}

void Utf8Check::feed(std::string_view bytes)
{
    for (const char c : bytes) {
        if (invalid_)
            return;
        const auto byte = static_cast<unsigned char>(c);
        if (pending_ > 0) {
            invalid_ = byte < lower_ || byte > upper_;
            --pending_;
            lower_ = 0x80;
            upper_ = 0xBF;
        } else if (byte < 0x80) {
            continue;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            pending_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            // The bounds of the first continuation byte rule out overlong forms,
            // surrogates and code points past U+10FFFF.
            pending_ = 2;
            lower_ = byte == 0xE0 ? 0xA0 : 0x80;
            upper_ = byte == 0xED ? 0x9F : 0xBF;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pending_ = 3;
            lower_ = byte == 0xF0 ? 0x90 : 0x80;
            upper_ = byte == 0xF4 ? 0x8F : 0xBF;
        } else {
            invalid_ = true;
        }
    }
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::string Cp1251ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const char32_t codePoint = Cp1251CodePoint(static_cast<unsigned char>(c));
        AppendUtf8(text, codePoint == 0 && c != 0 ? U'\uFFFD' : codePoint);
    }
    return text;
}

} // namespace passcat::tracks
