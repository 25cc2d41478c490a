#pragma once

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "engine/line_io.h"

namespace passcat {

class ResultOutput;

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
    bool writesInPlace() const;

private:
    bool flush();
    bool failWith(const QString& why);
    bool writeAll(const char* data, std::size_t size);

    bool unnamed_ = false;
    std::size_t flushSize_;
    std::string pending_;
    bool hasError_ = false;
    QString errorString_;
    std::unique_ptr<ResultOutput> output_; // the system's file, device or stream
};

} // namespace passcat
