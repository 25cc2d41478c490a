#include "platform/windows/win32_path.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace passcat {

std::wstring Win32Path(const QString& path)
{
    // Below this a folder can still be created, whose names have room for 8.3 files.
    constexpr qsizetype kLongerThanWin32Takes = 248;
    QString absolute = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (absolute.size() >= kLongerThanWin32Takes && !absolute.startsWith(QStringLiteral("\\\\?\\"))) {
        if (absolute.startsWith(QStringLiteral("\\\\")))
            absolute = QStringLiteral("\\\\?\\UNC\\") + absolute.mid(2);
        else
            absolute.prepend(QStringLiteral("\\\\?\\"));
    }
    return absolute.toStdWString();
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace passcat
