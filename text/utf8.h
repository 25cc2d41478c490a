#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace passcat {

// Tells whether bytes fed in pieces of any size form valid UTF-8: no overlong forms,
// surrogates or code points past U+10FFFF. A sequence may be split between two pieces.
class Utf8Check {
public:
    void feed(std::string_view bytes);

    // Everything fed so far is valid UTF-8 and ends with a whole character.
    bool valid() const { return !invalid_ && pending_ == 0; }

    // No further bytes can make the text valid.
    bool failed() const { return invalid_; }

    // A byte above 0x7F was fed.
    bool sawNonAscii() const { return sawNonAscii_; }

private:
    bool invalid_ = false;
    bool sawNonAscii_ = false;
    int pending_ = 0;           // continuation bytes still due in the current sequence
    std::uint8_t lower_ = 0x80; // bounds of the next continuation byte
    std::uint8_t upper_ = 0xBF;
};

// The length of the valid UTF-8 sequence at the start of bytes: 1 for an ASCII byte,
// 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view bytes);

void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace passcat
