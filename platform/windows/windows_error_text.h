#pragma once

#include <QString>

namespace passcat {

// Why a Windows file operation failed, from GetLastError()'s code, in the words
// SystemErrorText() gives the same cause on every system; a file another program
// holds open, which only Windows refuses, by its own words.
QString WindowsErrorText(unsigned long code);

} // namespace passcat
