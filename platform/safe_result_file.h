#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <QSaveFile>
#else
#include <QByteArray>
#endif

#include "engine/line_io.h"

namespace passcat {

// The result file, written so that it is never left half done: the lines go to a
// temporary file beside it, which replaces the result only at commit(). On any
// failure, and when the object goes away uncommitted, the old result stays as it
// was and the temporary file is removed. Every line ends in CR LF.
//
// What is no regular file (a character device such as /dev/null, a named pipe, a
// socket) and standard output are written in place instead: there is no file to
// keep, and replacing a device by a file would destroy it.
class SafeResultFile final : public LineSink {
public:
    static constexpr std::size_t kDefaultFlushSize = std::size_t{1} << 20;

    explicit SafeResultFile(const QString& path, std::size_t flushSize = kDefaultFlushSize);

    struct StandardOutput {};
    explicit SafeResultFile(StandardOutput, std::size_t flushSize = kDefaultFlushSize);

    ~SafeResultFile() override;
    SafeResultFile(const SafeResultFile&) = delete;
    SafeResultFile& operator=(const SafeResultFile&) = delete;

    // False when the temporary file (or the device) cannot be opened; errorString()
    // says why.
    bool open();

    // After a failed write the lines are dropped; hasError() tells.
    void writeLine(std::string_view line) override;

    // Lines that already end in CR LF, written as they are; a long text goes to the
    // file directly, without being copied first.
    void writeText(std::string_view text);

    // Replaces the result with everything written; false, leaving the old result,
    // when any write or the replacement failed.
    bool commit();

    // Gives up: removes the temporary file and leaves the old result.
    void discard();

    bool hasError() const { return hasError_; }
    QString errorString() const { return errorString_; }

    // True once open() found a result written in place: a failed run may leave part
    // of the report there.
    bool writesInPlace() const { return inPlace_; }

private:
    bool flush();
    bool fail(int errorNumber);
    bool failWith(const QString& why);
    bool writeAll(const char* data, std::size_t size);
    void startWriteBack();

    static constexpr long long kWriteBackStep = 8LL << 20;

    QString path_;
    bool standardOutput_ = false;
    bool inPlace_ = false;
    std::size_t flushSize_;
    std::string pending_;
    bool hasError_ = false;
    QString errorString_;
    long long written_ = 0;     // the bytes written so far
    long long writtenBack_ = 0; // the bytes handed to the disk so far
#ifdef _WIN32
    QSaveFile file_;
#else
    bool openInPlace(bool socket);
    bool openTemporary(int existingMode); // -1: no file yet
    void closeDescriptor();

    int fd_ = -1;
    QByteArray target_;    // the regular file replaced at commit(), its links followed
    QByteArray temporary_; // beside it, while it exists
#endif
};

} // namespace passcat
