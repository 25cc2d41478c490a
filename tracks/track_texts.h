#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/whitespace.h" // the whitespace around numbers and in names

namespace passcat::tracks {

// A decimal text with a point ("45.1", "-7", ".5"), whitespace around it ignored;
// nothing for any other text (a comma, an exponent, "nan") and for values that are
// not finite. Values too small for a double are zero.
std::optional<double> ParseDecimal(std::string_view text);

// A position is valid when both numbers are there and |latitude| <= 90, |longitude| <= 180.
bool IsValidPosition(const std::optional<double>& latitude, const std::optional<double>& longitude);

// The text of an element or field, gathered piece by piece up to a limit, so that
// no input can make it grow without end.
class CappedText {
public:
    static constexpr std::size_t kLimit = std::size_t{1} << 20;

    void clear()
    {
        text_.clear();
        overflowed_ = false;
    }
    void append(std::string_view piece);
    void push_back(char c)
    {
        if (text_.size() < kLimit)
            text_.push_back(c);
        else
            overflowed_ = true;
    }
    void pop_back() { text_.pop_back(); }

    // What was gathered; the first kLimit bytes when there was more.
    const std::string& text() const { return text_; }
    bool overflowed() const { return overflowed_; }
    // The number it holds; nothing when it holds no number or overflowed.
    std::optional<double> number() const { return overflowed_ ? std::nullopt : ParseDecimal(text_); }
    // The normalised name; one cut short ends at a whole character.
    std::string name() const;

private:
    std::string text_;
    bool overflowed_ = false;
};

} // namespace passcat::tracks
