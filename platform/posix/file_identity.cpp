#include "platform/file_identity.h"

#include <optional>
#include <utility>

#include <sys/stat.h>

#include "platform/native_path.h"

namespace passcat {
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

} // namespace passcat
