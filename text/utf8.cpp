#include "text/utf8.h"

#include <cstring>

namespace passcat {
namespace {

// What a lead byte starts: how many continuation bytes follow (-1: it starts no
// character), and the range of the first of them, which rules out overlong forms,
// surrogates and code points past U+10FFFF.
struct Utf8Lead {
    int continuations;
    std::uint8_t lower;
    std::uint8_t upper;
};

constexpr Utf8Lead LeadOf(std::uint8_t byte)
{
    if (byte < 0x80)
        return {0, 0x80, 0xBF};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {1, 0x80, 0xBF};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {2, static_cast<std::uint8_t>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<std::uint8_t>(byte == 0xED ? 0x9F : 0xBF)};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {3, static_cast<std::uint8_t>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<std::uint8_t>(byte == 0xF4 ? 0x8F : 0xBF)};
    return {-1, 0, 0};
}

// The length of the run of ASCII bytes at the start, eight bytes at a time.
std::size_t AsciiPrefixLength(std::string_view bytes)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (i < bytes.size() && static_cast<std::uint8_t>(bytes[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

void Utf8Check::feed(std::string_view bytes)
{
    while (!bytes.empty() && !invalid_) {
        if (pending_ == 0) {
            bytes.remove_prefix(AsciiPrefixLength(bytes));
            if (bytes.empty())
                return;
        }
        const auto byte = static_cast<std::uint8_t>(bytes.front());
        bytes.remove_prefix(1);
        if (pending_ > 0) {
            invalid_ = byte < lower_ || byte > upper_;
            --pending_;
            lower_ = 0x80;
            upper_ = 0xBF;
            continue;
        }
        sawNonAscii_ = true;
        const Utf8Lead lead = LeadOf(byte);
        invalid_ = lead.continuations < 0;
        pending_ = invalid_ ? 0 : lead.continuations;
        lower_ = lead.lower;
        upper_ = lead.upper;
    }
}

std::size_t Utf8SequenceLength(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    const Utf8Lead lead = LeadOf(static_cast<std::uint8_t>(bytes[0]));
    if (lead.continuations < 0 || bytes.size() <= static_cast<std::size_t>(lead.continuations))
        return 0;
    const auto length = static_cast<std::size_t>(lead.continuations) + 1;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte < (i == 1 ? lead.lower : 0x80) || byte > (i == 1 ? lead.upper : 0xBF))
            return 0;
    }
    return length;
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

} // namespace passcat
