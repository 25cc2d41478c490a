#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "engine/text_lines.h"

// A broken property aborts, so that libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition, shown) \
    do { if (!(condition)) passcat::fuzz::Broken(__FILE__, __LINE__, #condition, shown); } while (false)

namespace passcat::fuzz {

// Prints the property and the first bytes of what broke it, control characters escaped.
[[noreturn]] inline void Broken(const char* file, int line, const char* condition, std::string_view shown)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n  \"", file, line, condition);
    for (const unsigned char c : shown.substr(0, 400))
        std::fprintf(stderr, c < 0x20 || c == 0x7f ? "\\x%02x" : "%c", c);
    std::fputs("\"\n", stderr);
    std::abort();
}

// The lines of a text as the engine reads them; they point into the text.
inline std::vector<std::string_view> LinesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (TextLineSource source(text); const auto line = source.readLine();)
        lines.push_back(*line);
    return lines;
}

} // namespace passcat::fuzz
