// Opening inputs: by the bytes of their names, and without waiting on a named pipe
// where a regular file is wanted.
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/input_stream.h"
#include "platform/native_path.h"
#include "platform/regular_file.h"
#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr auto kReadMode = QIODevice::ReadOnly | QIODevice::Unbuffered;

// Hands the open descriptor to file, which closes it from then on.
bool AdoptDescriptor(QFile& file, int fd, QString& error)
{
    if (!file.open(fd, kReadMode, QFileDevice::AutoCloseHandle)) {
        error = SystemErrorText(errno);
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

InputPlace FindInput(const QString& path)
{
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) != 0 || S_ISDIR(info.st_mode))
        return InputPlace::Missing;
    return S_ISREG(info.st_mode) ? InputPlace::RegularFile : InputPlace::Stream;
}

bool OpenRegularFileForReading(QFile& file, QString& error)
{
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
    return AdoptDescriptor(file, fd, error);
}

bool OpenStreamForReading(QFile& file, QString& error)
{
    const int fd = ::open(NativePath(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    return AdoptDescriptor(file, fd, error);
}

} // namespace passcat
