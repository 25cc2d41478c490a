// Opening inputs: Windows names are QStrings, and Qt opens them as they are. Qt tells
// no cause of a failure; opening the file once more by the wide API tells it.
#include <QFileInfo>

#include <cerrno>

#include <windows.h>

#include "platform/input_stream.h"
#include "platform/regular_file.h"
#include "platform/system_error_text.h"
#include "platform/windows/win32_path.h"
#include "platform/windows/windows_error_text.h"

namespace passcat {
namespace {

constexpr auto kReadMode = QIODevice::ReadOnly | QIODevice::Unbuffered;

QString WhyNotOpened(const QFile& file)
{
    const std::wstring path = Win32Path(file.fileName());
    if (IsFolder(path))
        return SystemErrorText(EISDIR);
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return WindowsErrorText(GetLastError());
    CloseHandle(handle);
    return file.errorString(); // it opens now: Qt's own words for what failed before
}

bool OpenByName(QFile& file, QString& error)
{
    if (!file.open(kReadMode)) {
        error = WhyNotOpened(file);
        return false;
    }
    return true;
}

} // namespace

InputPlace FindInput(const QString& path)
{
    return QFileInfo(path).isFile() ? InputPlace::RegularFile : InputPlace::Missing;
}

bool OpenRegularFileForReading(QFile& file, QString& error)
{
    return OpenByName(file, error);
}

bool OpenStreamForReading(QFile& file, QString& error)
{
    return OpenByName(file, error);
}

} // namespace passcat
