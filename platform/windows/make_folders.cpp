#include "platform/make_folders.h"

#include <QDir>

#include <cerrno>

#include "platform/system_error_text.h"

namespace passcat {

bool MakeFolders(const QString& path, QString& error)
{
    if (QDir().mkpath(path))
        return true;
    error = SystemErrorText(errno);
    return false;
}

} // namespace passcat
