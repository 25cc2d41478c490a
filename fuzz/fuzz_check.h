#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Properties the fuzz targets check. A broken property aborts, so that libFuzzer
// keeps the input that broke it.
#define FUZZ_CHECK(condition, ...)                                                        \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,    \
                         #condition);                                                     \
            passcat::fuzz::Describe(__VA_ARGS__);                                         \
            std::abort();                                                                 \
        }                                                                                 \
    } while (false)

namespace passcat::fuzz {

inline void Describe() {}

// Prints texts with their control characters made visible, at most a few hundred bytes each.
template <typename... Rest>
void Describe(std::string_view text, Rest... rest)
{
    std::string shown;
    for (const char c : text.substr(0, 400)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    std::fprintf(stderr, "  \"%s\"%s\n", shown.c_str(), text.size() > 400 ? " ..." : "");
    Describe(rest...);
}

inline std::size_t CountOf(std::string_view text, char c)
{
    std::size_t count = 0;
    for (const char x : text)
        count += x == c;
    return count;
}

inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Splits at TAB into fields.
inline std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace passcat::fuzz
