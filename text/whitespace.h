#pragma once

#include <string>
#include <string_view>

namespace passcat {

// Blanks, TABs and line ends: what surrounds numbers and separates names' words.
inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view Trimmed(std::string_view text);

// Leading and trailing whitespace removed, every inner run of it one blank.
std::string NormalizedName(std::string_view name);

} // namespace passcat
