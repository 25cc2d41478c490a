#include "platform/regular_file.h"

#include <cerrno>

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {

bool OpenRegularFileForReading(QFile& file, QString& error)
{
    constexpr auto mode = QIODevice::ReadOnly | QIODevice::Unbuffered;
#ifdef __unix__
    const int fd = ::open(NativePath(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = QStringLiteral("это не обычный файл");
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        error = SystemErrorText(errno);
        ::close(fd);
        return false;
    }
    return true;
#else
    if (!file.open(mode)) {
        error = SystemErrorText(errno);
        return false;
    }
    return true;
#endif
}

} // namespace passcat
