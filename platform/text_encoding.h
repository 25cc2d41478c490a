#pragma once

#include <string>
#include <string_view>

namespace passcat {

// The encodings the report's own texts can be written in.
enum class TextEncoding {
    Utf8,
    Cp1251, // Windows-1251, the Cyrillic code page of the classic report
};

// The UTF-8 text in Windows-1251; a character that code page lacks becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// The encoding of the user's system: the ANSI code page on Windows (Windows-1251
// unless it is UTF-8), UTF-8 elsewhere.
TextEncoding SystemTextEncoding();

} // namespace passcat
