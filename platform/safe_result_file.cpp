#include "platform/safe_result_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <QRandomGenerator>

#include <climits>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {

SafeResultFile::SafeResultFile(const QString& path, std::size_t flushSize) : path_(path), flushSize_(flushSize)
{
    pending_.reserve(flushSize_);
}

SafeResultFile::SafeResultFile(StandardOutput, std::size_t flushSize)
    : standardOutput_(true), flushSize_(flushSize)
{
    pending_.reserve(flushSize_);
}

SafeResultFile::~SafeResultFile()
{
    discard();
}

bool SafeResultFile::fail(int errorNumber)
{
    return failWith(SystemErrorText(errorNumber));
}

bool SafeResultFile::failWith(const QString& why)
{
    if (!hasError_) {
        hasError_ = true;
        errorString_ = why;
    }
    discard();
    return false;
}

void SafeResultFile::writeLine(std::string_view line)
{
    if (hasError_)
        return;
    pending_.append(line);
    pending_.append("\r\n");
    if (pending_.size() >= flushSize_)
        flush();
}

void SafeResultFile::writeText(std::string_view text)
{
    if (hasError_)
        return;
    if (text.size() < flushSize_) {
        pending_.append(text);
        if (pending_.size() >= flushSize_)
            flush();
        return;
    }
    if (flush() && writeAll(text.data(), text.size()))
        startWriteBack();
}

bool SafeResultFile::flush()
{
    if (hasError_ || pending_.empty())
        return !hasError_;
    const bool written = writeAll(pending_.data(), pending_.size());
    pending_.clear();
    if (written)
        startWriteBack();
    return written;
}

#ifdef _WIN32

// Windows names are QStrings already: QSaveFile keeps the result safe there.
bool SafeResultFile::open()
{
    if (standardOutput_) {
        inPlace_ = true;
        _setmode(_fileno(stdout), _O_BINARY);
        return true;
    }
    if (path_.isEmpty())
        return failWith(QStringLiteral("не задано имя файла"));
    file_.setFileName(path_);
    file_.setDirectWriteFallback(false);
    return file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail(errno);
}

bool SafeResultFile::writeAll(const char* data, std::size_t size)
{
    const bool written = standardOutput_
        ? std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0
        : file_.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    written_ += static_cast<long long>(size);
    return written || fail(errno);
}

void SafeResultFile::startWriteBack() {}

bool SafeResultFile::commit()
{
    if (!flush())
        return false;
    return standardOutput_ || file_.commit() || fail(errno);
}

void SafeResultFile::discard()
{
    pending_.clear();
    if (standardOutput_)
        return;
    file_.cancelWriting();
    // cancelWriting() only marks the file; closing is what removes the temporary file.
    if (file_.isOpen())
        file_.commit();
}

#else

namespace {

// The file at the end of a path's symbolic links: the link stays, its target is
// replaced. A link to nowhere names the file to create.
QByteArray FollowLinks(QByteArray path)
{
    for (int depth = 0; depth < 40; ++depth) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof target)
            break;
        QByteArray next(target, length);
        const qsizetype slash = path.lastIndexOf('/');
        if (!next.startsWith('/') && slash >= 0)
            next.prepend(path.left(slash + 1));
        path = next;
    }
    return path;
}

} // namespace

bool SafeResultFile::open()
{
    if (standardOutput_) {
        inPlace_ = true;
        fd_ = STDOUT_FILENO;
        return true;
    }
    // Without a name the temporary file would be written, only to fail at commit().
    if (path_.isEmpty())
        return failWith(QStringLiteral("не задано имя файла"));
    target_ = FollowLinks(NativePath(path_));
    struct stat info {};
    if (::stat(target_.constData(), &info) != 0)
        return errno == ENOENT ? openTemporary(-1) : fail(errno);
    if (S_ISDIR(info.st_mode))
        return fail(EISDIR);
    if (!S_ISREG(info.st_mode))
        return openInPlace(S_ISSOCK(info.st_mode));
    return openTemporary(static_cast<int>(info.st_mode & 07777));
}

bool SafeResultFile::openInPlace(bool socket)
{
    inPlace_ = true;
    if (!socket) {
        fd_ = ::open(target_.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        return fd_ >= 0 || fail(errno);
    }
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(target_.size()) >= sizeof address.sun_path)
        return fail(ENAMETOOLONG);
    std::memcpy(address.sun_path, target_.constData(), static_cast<std::size_t>(target_.size()));
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected = fd_ >= 0 && ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    return connected || fail(errno);
}

bool SafeResultFile::openTemporary(int existingMode)
{
    // A new name each time, created only if nobody has it (O_EXCL), with the
    // permissions a new file gets; an existing result's permissions carry over.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = target_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            temporary_.clear();
            return fail(errno);
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return fail(EEXIST);
    }
    if (existingMode >= 0)
        ::fchmod(fd_, static_cast<mode_t>(existingMode)); // else the default permissions stay
    return true;
}

bool SafeResultFile::writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t count = ::write(fd_, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return fail(errno);
        data += count;
        size -= static_cast<std::size_t>(count);
        written_ += count;
    }
    return true;
}

void SafeResultFile::startWriteBack()
{
#ifdef __linux__
    // Lets the disk take what has been written while the rest is still being
    // computed, so that the sync of commit() has little left to wait for. Only a
    // hint: a failure changes nothing.
    if (!inPlace_ && written_ - writtenBack_ >= kWriteBackStep) {
        ::sync_file_range(fd_, writtenBack_, written_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
        writtenBack_ = written_;
    }
#endif
}

void SafeResultFile::closeDescriptor()
{
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && !standardOutput_ && ::close(fd) != 0 && !hasError_)
        fail(errno);
}

bool SafeResultFile::commit()
{
    if (!flush())
        return false;
    // The data reaches the disk before the name does: a crash leaves the old result
    // or the new one, never a short one.
    if (!inPlace_ && ::fdatasync(fd_) != 0)
        return fail(errno);
    closeDescriptor(); // a file system may tell a failed write only here
    if (hasError_)
        return false;
    if (!inPlace_ && ::rename(temporary_.constData(), target_.constData()) != 0)
        return fail(errno);
    temporary_.clear();
    return true;
}

void SafeResultFile::discard()
{
    pending_.clear();
    closeDescriptor();
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
}

#endif

} // namespace passcat
