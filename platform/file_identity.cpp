#include "platform/file_identity.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace passcat {
namespace {

std::filesystem::path FileSystemPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

bool SameExistingFile(const QString& first, const QString& second)
{
    std::error_code error;
    return std::filesystem::equivalent(FileSystemPath(first), FileSystemPath(second), error) && !error;
}

} // namespace passcat
