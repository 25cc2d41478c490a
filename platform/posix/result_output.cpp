// The result through a file descriptor: a temporary file created beside the result
// and renamed over it, by the bytes of its name; a device, named pipe or socket
// written in place.
#include "platform/result_output.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/native_path.h"
#include "platform/system_error_text.h"

namespace passcat {
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

class DescriptorOutput final : public ResultOutput {
public:
    // Standard output, which stays open.
    DescriptorOutput() : fd_(STDOUT_FILENO), ownsDescriptor_(false), inPlace_(true) {}

    explicit DescriptorOutput(const QString& path) : path_(path) {}

    ~DescriptorOutput() override { discard(); }

    bool open() override
    {
        if (!ownsDescriptor_)
            return true; // standard output, open already
        target_ = FollowLinks(NativePath(path_));
        struct stat info {};
        if (::stat(target_.constData(), &info) != 0)
            return errno == ENOENT && openTemporary(-1);
        if (S_ISDIR(info.st_mode)) {
            errno = EISDIR;
            return false;
        }
        if (!S_ISREG(info.st_mode))
            return openInPlace(S_ISSOCK(info.st_mode));
        return openTemporary(static_cast<int>(info.st_mode & 07777));
    }

    bool inPlace() const override { return inPlace_; }

    QString errorText() const override { return SystemErrorText(errno); }

    bool write(const char* data, std::size_t size) override
    {
        while (size > 0) {
            const ssize_t count = ::write(fd_, data, size);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return false;
            data += count;
            size -= static_cast<std::size_t>(count);
            written_ += count;
        }
        startWriteBack();
        return true;
    }

    bool commit() override
    {
        // The data reaches the disk before the name does: a crash leaves the old result
        // or the new one, never a short one.
        if (!inPlace_ && ::fdatasync(fd_) != 0)
            return false;
        if (!close()) // a file system may tell a failed write only here
            return false;
        if (!inPlace_ && ::rename(temporary_.constData(), target_.constData()) != 0)
            return false;
        temporary_.clear();
        return true;
    }

    bool discard() override
    {
        const bool closed = close();
        const int error = errno;
        if (!temporary_.isEmpty()) {
            ::unlink(temporary_.constData());
            temporary_.clear();
        }
        errno = error;
        return closed;
    }

private:
    bool openInPlace(bool socket)
    {
        inPlace_ = true;
        if (!socket) {
            fd_ = ::open(target_.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
            return fd_ >= 0;
        }
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        if (static_cast<std::size_t>(target_.size()) >= sizeof address.sun_path) {
            errno = ENAMETOOLONG;
            return false;
        }
        std::memcpy(address.sun_path, target_.constData(), static_cast<std::size_t>(target_.size()));
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        return fd_ >= 0 && ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }

    bool openTemporary(int existingMode)
    {
        // A new name each time, created only if nobody has it (O_EXCL), with the
        // permissions a new file gets; an existing result's permissions carry over.
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            temporary_ = target_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) {
                temporary_.clear();
                return false;
            }
        }
        if (fd_ < 0) {
            temporary_.clear();
            errno = EEXIST;
            return false;
        }
        if (existingMode >= 0)
            ::fchmod(fd_, static_cast<mode_t>(existingMode)); // else the default permissions stay
        return true;
    }

    // Lets the disk take what has been written while the rest is still being
    // computed, so that the sync of commit() has little left to wait for. Only a
    // hint: a failure changes nothing.
    void startWriteBack()
    {
#ifdef __linux__
        if (!inPlace_ && written_ - writtenBack_ >= kWriteBackStep) {
            ::sync_file_range(fd_, writtenBack_, written_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
            writtenBack_ = written_;
        }
#endif
    }

    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || !ownsDescriptor_ || ::close(fd) == 0;
    }

    static constexpr long long kWriteBackStep = 8LL << 20;

    QString path_;
    int fd_ = -1;
    bool ownsDescriptor_ = true;
    bool inPlace_ = false;
    QByteArray target_;         // the regular file replaced at commit(), its links followed
    QByteArray temporary_;      // beside it, while it exists
    long long written_ = 0;     // the bytes written so far
    long long writtenBack_ = 0; // the bytes handed to the disk so far
};

} // namespace

std::unique_ptr<ResultOutput> ResultFileOutput(const QString& path) { return std::make_unique<DescriptorOutput>(path); }
std::unique_ptr<ResultOutput> StandardResultOutput() { return std::make_unique<DescriptorOutput>(); }

} // namespace passcat
