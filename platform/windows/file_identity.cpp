#include "platform/file_identity.h"

#include <filesystem>
#include <system_error>

namespace passcat {

bool SameExistingFile(const QString& first, const QString& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first.toStdWString(), second.toStdWString(), error) && !error;
}

// Windows tells no identity of an open stream; the paths are checked alone.
bool SameExistingFile(int, const QString&) { return false; }
bool SameExistingFile(int, int) { return false; }

} // namespace passcat
