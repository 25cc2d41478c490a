#include "platform/safe_result_file.h"

#ifdef __linux__
#include <fcntl.h>
#endif

namespace passcat {

SafeResultFile::SafeResultFile(const QString& path, std::size_t flushSize) : file_(path), flushSize_(flushSize)
{
    // Never fall back to writing in place: a failed run must leave the old result whole.
    file_.setDirectWriteFallback(false);
    pending_.reserve(flushSize_);
}

bool SafeResultFile::open()
{
    // Without a name the temporary file would be written, only to fail at commit().
    if (file_.fileName().isEmpty()) {
        hasError_ = true;
        errorString_ = QStringLiteral("не задано имя файла");
        return false;
    }
    // Unbuffered: pending_ is the buffer. A write that QFileDevice buffered and only
    // flushed in commit() could fail there unnoticed, and the result would be
    // replaced by a short file.
    return file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail();
}

bool SafeResultFile::fail()
{
    if (!hasError_) {
        hasError_ = true;
        errorString_ = file_.errorString();
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
    if (!flush())
        return;
    const auto size = static_cast<qint64>(text.size());
    if (file_.write(text.data(), size) != size) {
        fail();
        return;
    }
    startWriteBack();
}

bool SafeResultFile::flush()
{
    if (hasError_ || pending_.empty())
        return !hasError_;
    const auto size = static_cast<qint64>(pending_.size());
    const bool written = file_.write(pending_.data(), size) == size;
    pending_.clear();
    if (!written)
        return fail();
    startWriteBack();
    return true;
}

void SafeResultFile::startWriteBack()
{
#ifdef __linux__
    // Lets the disk take what has been written while the rest is still being
    // computed, so that the sync of commit() has little left to wait for. Only a
    // hint: a failure changes nothing.
    if (!file_.flush())
        return;
    const qint64 end = file_.pos();
    if (end - writtenBack_ >= kWriteBackStep) {
        ::sync_file_range(file_.handle(), writtenBack_, end - writtenBack_, SYNC_FILE_RANGE_WRITE);
        writtenBack_ = end;
    }
#endif
}

bool SafeResultFile::commit()
{
    return (flush() && file_.commit()) || fail();
}

void SafeResultFile::discard()
{
    pending_.clear();
    file_.cancelWriting();
    // cancelWriting() only marks the file; closing is what removes the temporary file.
    if (file_.isOpen())
        file_.commit();
}

} // namespace passcat
