#pragma once

namespace passcat {

// How a QString holds a byte of a file name that is no UTF-8 (see native_path.h): as
// the lone surrogate U+DC80 + byte - 0x80, which no valid UTF-8 can yield.
constexpr char16_t kFirstEscape = 0xDC80; // the byte 0x80; 0xDCFF is 0xFF

} // namespace passcat
