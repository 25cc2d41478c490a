#include "platform/windows/windows_error_text.h"

#include <cerrno>

#include <windows.h>

#include "platform/system_error_text.h"

namespace passcat {
namespace {

// The error number of the same cause, 0 where there is none.
int ErrorNumberOf(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return ENXIO;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return EIO;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return EPIPE;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    default:
        return 0;
    }
}

} // namespace

QString WindowsErrorText(unsigned long code)
{
    switch (code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return QStringLiteral("файл открыт другой программой");
    case ERROR_INVALID_NAME:
        return QStringLiteral("недопустимое имя файла");
    default:
        break;
    }
    if (const int errorNumber = ErrorNumberOf(code))
        return SystemErrorText(errorNumber);
    return QStringLiteral("ошибка Windows %1").arg(code);
}

} // namespace passcat
