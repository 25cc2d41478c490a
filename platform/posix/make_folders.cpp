#include "platform/make_folders.h"

#include <cerrno>

#include <sys/stat.h>

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {

bool MakeFolders(const QString& path, QString& error)
{
    const QByteArray bytes = NativePath(path);
    for (qsizetype end = bytes.indexOf('/', 1); ; end = bytes.indexOf('/', end + 1)) {
        const QByteArray folder = end < 0 ? bytes : bytes.left(end);
        struct stat info {};
        if (!folder.isEmpty() && ::mkdir(folder.constData(), 0777) != 0 && errno != EEXIST) {
            error = SystemErrorText(errno);
            return false;
        }
        if (end < 0) {
            if (::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode))
                return true;
            error = SystemErrorText(ENOTDIR);
            return false;
        }
    }
}

} // namespace passcat
