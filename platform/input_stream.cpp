#include "platform/input_stream.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <vector>

#ifdef __unix__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr qint64 kSpoolChunkSize = qint64{1} << 20;

constexpr auto kStreamMode = QIODevice::ReadOnly | QIODevice::Unbuffered;

} // namespace

InputPlace FindInput(const QString& path)
{
#ifdef __unix__
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) != 0 || S_ISDIR(info.st_mode))
        return InputPlace::Missing;
    return S_ISREG(info.st_mode) ? InputPlace::RegularFile : InputPlace::Stream;
#else
    return QFileInfo(path).isFile() ? InputPlace::RegularFile : InputPlace::Missing;
#endif
}

bool OpenStreamForReading(QFile& file, QString& error)
{
#ifdef __unix__
    const int fd = ::open(NativePath(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    if (!file.open(fd, kStreamMode, QFileDevice::AutoCloseHandle)) {
        error = SystemErrorText(errno);
        ::close(fd);
        return false;
    }
    return true;
#else
    if (!file.open(kStreamMode)) {
        error = SystemErrorText(errno);
        return false;
    }
    return true;
#endif
}

bool OpenStandardInput(QFile& file, QString& error)
{
#ifdef _WIN32
    const int descriptor = _fileno(stdin);
#else
    const int descriptor = fileno(stdin);
#endif
    if (file.open(descriptor, kStreamMode, QFileDevice::DontCloseHandle))
        return true;
    error = SystemErrorText(errno);
    return false;
}

InputTextScan SpoolInput(QIODevice& stream, QTemporaryFile& spool)
{
    const auto failed = [](const QString& why) { return InputTextScan{false, InputText::Ascii, why}; };
    if (!spool.open())
        return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    std::vector<char> chunk(kSpoolChunkSize);
    InputTextDetector detector;
    for (;;) {
        const qint64 count = stream.read(chunk.data(), kSpoolChunkSize);
        if (count < 0)
            return failed(SystemErrorText(errno));
        if (count == 0)
            break;
        detector.feed({chunk.data(), static_cast<std::size_t>(count)});
        if (spool.write(chunk.data(), count) != count)
            return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    }
    if (!spool.flush() || !spool.seek(0))
        return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    return {true, detector.verdict(), {}};
}

} // namespace passcat
