#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace passcat::tracks {

// Blanks, TABs and line ends: what surrounds numbers and separates names' words.
inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view Trimmed(std::string_view text);

// A decimal text with a point ("45.1", "-7", ".5"), whitespace around it ignored;
// nothing for any other text (a comma, an exponent, "nan") and for values that are
// not finite. Values too small for a double are zero.
std::optional<double> ParseDecimal(std::string_view text);

// A position is valid when both numbers are there and |latitude| <= 90, |longitude| <= 180.
bool IsValidPosition(const std::optional<double>& latitude, const std::optional<double>& longitude);

// Leading and trailing whitespace removed, every inner run of it one blank.
std::string NormalizedName(std::string_view name);

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

// Tells whether bytes fed in pieces of any size form valid UTF-8.
class Utf8Check {
public:
    void feed(std::string_view bytes);
    bool valid() const { return !invalid_ && pending_ == 0; }

private:
    bool invalid_ = false;
    int pending_ = 0;           // continuation bytes still due
    unsigned char lower_ = 0x80; // bounds of the next continuation byte
    unsigned char upper_ = 0xBF;
};

void AppendUtf8(std::string& out, char32_t codePoint);

// Windows-1251 bytes as UTF-8; the unassigned byte becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

} // namespace passcat::tracks
