#pragma once

#include <cstdio>
#include <memory>
#include <streambuf>

namespace passcat {

// Where stream is a console that takes text as characters rather than bytes (a
// Windows console, whatever its code page), a buffer that writes the UTF-8 given it
// there as characters; none elsewhere (a file, a pipe, a terminal on Linux), where
// the UTF-8 bytes go as they are.
std::unique_ptr<std::streambuf> ConsoleMessageBuffer(std::FILE* stream);

} // namespace passcat
