#include "platform/file_line_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/text_lines.h"
#include "platform/regular_file.h"
#include "platform/system_error_text.h"

namespace passcat {

namespace {
constexpr char kDosEndOfFile = 26;
} // namespace

FileLineSource::FileLineSource(const QString& path, std::size_t chunkSize)
    : file_(path), device_(&file_), chunkSize_(std::max<std::size_t>(chunkSize, 1))
{
}

FileLineSource::FileLineSource(QIODevice& opened, std::size_t chunkSize)
    : device_(&opened), chunkSize_(std::max<std::size_t>(chunkSize, 1))
{
}

bool FileLineSource::open()
{
    return OpenRegularFileForReading(file_, error_);
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

    const qint64 count = device_->read(buffer_.data() + end_, static_cast<qint64>(chunkSize_));
    if (count < 0) {
        error_ = SystemErrorText(errno);
        hasError_ = true;
        endOfFile_ = true;
        return false;
    }
    if (count == 0) {
        // The input's last byte is still unread here: it cannot end a line.
        if (end_ > begin_ && buffer_[end_ - 1] == kDosEndOfFile)
            --end_;
        endOfFile_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(count);
    return true;
}

bool FileLineSource::atEnd()
{
    // A single unread byte may be the final Ctrl-Z: only the end of the file tells.
    while (end_ - begin_ < 2 && !endOfFile_)
        readChunk();
    return begin_ == end_;
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
