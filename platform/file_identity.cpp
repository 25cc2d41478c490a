#include "platform/file_identity.h"

#include <optional>
#include <utility>

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
#include <sys/stat.h>
#endif

#include "platform/native_path.h"

namespace passcat {

#ifdef _WIN32

bool SameExistingFile(const QString& first, const QString& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first.toStdWString(), second.toStdWString(), error) && !error;
}

// Windows tells no identity of an open stream; the paths are checked alone.
bool SameExistingFile(int, const QString&) { return false; }
bool SameExistingFile(int, int) { return false; }

#else

namespace {

using Identity = std::pair<dev_t, ino_t>;

// A character device (a terminal, /dev/null) is read and written at once without
// harm: it has no identity here.
std::optional<Identity> IdentityOf(int status, const struct stat& info)
{
    if (status != 0 || S_ISCHR(info.st_mode))
        return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

std::optional<Identity> IdentityOf(const QString& path)
{
    struct stat info {};
    return IdentityOf(::stat(NativePath(path).constData(), &info), info);
}

std::optional<Identity> IdentityOf(int descriptor)
{
    struct stat info {};
    return IdentityOf(::fstat(descriptor, &info), info);
}

template <typename First, typename Second>
bool SameIdentity(const First& first, const Second& second)
{
    const auto a = IdentityOf(first);
    return a && a == IdentityOf(second);
}

} // namespace

bool SameExistingFile(const QString& first, const QString& second) { return SameIdentity(first, second); }
bool SameExistingFile(int descriptor, const QString& path) { return SameIdentity(descriptor, path); }
bool SameExistingFile(int first, int second) { return SameIdentity(first, second); }

#endif

} // namespace passcat
