#include "platform/file_line_source.h"

#include <algorithm>
#include <cstring>

#include "engine/text_lines.h"
#include "platform/regular_file.h"

namespace passcat {

FileLineSource::FileLineSource(const QString& path, std::size_t chunkSize)
    : file_(path), chunkSize_(std::max<std::size_t>(chunkSize, 1))
{
}

bool FileLineSource::open()
{
    return OpenRegularFileForReading(file_, openError_);
}

bool FileLineSource::readChunk()
{
    if (endOfFile_)
        return false;
    // Keep only the unread bytes, at the front, and make room for one more chunk.
    const std::size_t unread = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, unread);
        begin_ = 0;
        end_ = unread;
    }
    if (buffer_.size() < unread + chunkSize_)
        buffer_.resize(unread + chunkSize_);

    const qint64 count = file_.read(buffer_.data() + end_, static_cast<qint64>(chunkSize_));
    if (count < 0) {
        hasError_ = true;
        endOfFile_ = true;
        return false;
    }
    if (count == 0) {
        endOfFile_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(count);
    return true;
}

bool FileLineSource::atEnd()
{
    while (begin_ == end_) {
        if (!readChunk())
            return true;
    }
    return false;
}

std::optional<std::string_view> FileLineSource::readLine()
{
    for (;;) {
        const char* const first = buffer_.data() + begin_;
        const std::size_t available = end_ - begin_;
        const void* lf = available > scanned_ ? std::memchr(first + scanned_, '\n', available - scanned_) : nullptr;
        if (lf) {
            const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - first);
            begin_ += length + 1;
            scanned_ = 0;
            ++lineNumber_;
            return WithoutCarriageReturn({first, length});
        }
        scanned_ = available;
        if (!readChunk())
            break;
    }
    if (begin_ == end_ || hasError_)
        return std::nullopt;
    // The last line of a file that does not end in a line end.
    const std::string_view rest(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    scanned_ = 0;
    ++lineNumber_;
    return WithoutCarriageReturn(rest);
}

} // namespace passcat
