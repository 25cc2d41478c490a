#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace passcat {

// File names as the system takes them. On Unix a name is bytes, and not every name is
// UTF-8 (archives from Windows hold names in Windows-1251): a name's valid UTF-8 reads
// as its characters, and every other byte as the lone surrogate U+DC80 + byte, which
// no valid UTF-8 can yield. So every name survives the trip into a QString and back,
// and a valid UTF-8 name is plain text. On Windows a QString is the system's name.
QString PathFromNative(std::string_view bytes);
QByteArray NativePath(const QString& path);

// True where file names are bytes (Unix), false where they are UTF-16 text (Windows).
bool FileNamesAreBytes();

// The name as a message shows it: its text, with the bytes that are not UTF-8 as \xNN.
QString DisplayPath(const QString& path);

// The position of the last folder separator in path, -1 when it has none: a slash,
// and on Windows a backslash too.
qsizetype LastPathSeparator(const QString& path);

} // namespace passcat
