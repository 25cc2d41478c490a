#include "platform/system_error_text.h"

#include <cerrno>

namespace passcat {

QString SystemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("на диске нет места");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("превышена дисковая квота");
#endif
    case ENOENT:
        return QStringLiteral("нет такого файла или папки");
    case ENOTDIR:
        return QStringLiteral("часть пути не является папкой");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав доступа");
    case EROFS:
        return QStringLiteral("файловая система доступна только для чтения");
    case EFBIG:
        return QStringLiteral("файл слишком велик");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case EISDIR:
        return QStringLiteral("это папка");
    case EIO:
    case 0: // no cause named: Windows' C library names none for some failed reads
        return QStringLiteral("ошибка ввода-вывода");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case ENXIO:
        return QStringLiteral("устройство недоступно");
    case EPIPE:
        return QStringLiteral("читающая сторона канала закрыта");
    default:
        break;
    }
    return QStringLiteral("системная ошибка %1").arg(errorNumber);
}

} // namespace passcat
