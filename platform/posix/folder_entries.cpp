// Listing a folder by the bytes of its name; the names come back as bytes too.
#include "platform/folder_entries.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {

bool ListFolder(const QString& path, QStringList& names, QString& error)
{
    DIR* folder = ::opendir(NativePath(path).constData());
    if (folder == nullptr) {
        error = SystemErrorText(errno);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names << PathFromNative(entry->d_name);
        errno = 0;
    }
    const int failure = errno;
    ::closedir(folder);
    if (failure != 0) {
        error = SystemErrorText(failure);
        return false;
    }
    return true;
}

} // namespace passcat
