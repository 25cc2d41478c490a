// Listing a folder: Windows names are QStrings, and Qt lists them as they are.
#include "platform/folder_entries.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

#include "platform/system_error_text.h"

namespace passcat {

bool ListFolder(const QString& path, QStringList& names, QString& error)
{
    const QFileInfo folder(path);
    if (!folder.exists() || !folder.isDir() || !folder.isReadable()) {
        error = SystemErrorText(!folder.exists() ? ENOENT : !folder.isDir() ? ENOTDIR : EACCES);
        return false;
    }
    names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    return true;
}

} // namespace passcat
