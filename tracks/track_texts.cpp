#include "tracks/track_texts.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <system_error>

#include "text/powers_of_ten.h"

namespace passcat::tracks {

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

} // namespace passcat::tracks
