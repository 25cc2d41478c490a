#pragma once

#include <QSaveFile>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/line_io.h"

namespace passcat {

// The result file, written so that it is never left half done: the lines go to a
// temporary file beside it, which replaces the result only at commit(). On any
// failure, and when the object goes away uncommitted, the old result stays as it
// was and the temporary file is removed. Every line ends in CR LF.
class SafeResultFile final : public LineSink {
public:
    static constexpr std::size_t kDefaultFlushSize = std::size_t{1} << 20;

    explicit SafeResultFile(const QString& path, std::size_t flushSize = kDefaultFlushSize);

    // False when the temporary file cannot be created; errorString() says why.
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

private:
    bool flush();
    bool fail();
    void startWriteBack();

    static constexpr qint64 kWriteBackStep = qint64{8} << 20;


    QSaveFile file_;
    std::size_t flushSize_;
    std::string pending_;
    bool hasError_ = false;
    QString errorString_; // kept: giving up the file replaces the file's own error text
    qint64 writtenBack_ = 0; // the bytes handed to the disk so far
};

} // namespace passcat
