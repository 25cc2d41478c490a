#pragma once

#include <string>
#include <string_view>

namespace passcat {

// Windows-1251, the Cyrillic code page of files from older programs. The bytes below
// 0x80 are ASCII.

// The code point of a byte; 0 for 0x98, the one byte the code page leaves unassigned.
char32_t Cp1251CodePoint(unsigned char byte);

// The byte of a code point; '?' where the code page has none.
char Cp1251Byte(char32_t codePoint);

// The Windows-1251 text in UTF-8; the unassigned byte becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

} // namespace passcat
