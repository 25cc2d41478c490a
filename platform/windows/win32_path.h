#pragma once

#include <QString>

#include <string>

namespace passcat {

// A name as the wide Windows functions take it: absolute, with backslashes, and from
// 248 characters on in the \\?\ form, which has no length limit (Qt does the same
// for its own files). A short name keeps its form, so that NUL or CON still name
// their devices.
std::wstring Win32Path(const QString& path);

// True when the name (as Win32Path gives it) is a folder's.
bool IsFolder(const std::wstring& path);

} // namespace passcat
