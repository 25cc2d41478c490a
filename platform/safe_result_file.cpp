#include "platform/safe_result_file.h"

#include "platform/result_output.h"

namespace passcat {

SafeResultFile::SafeResultFile(const QString& path, std::size_t flushSize)
    : unnamed_(path.isEmpty()), flushSize_(flushSize), output_(ResultFileOutput(path))
{
    pending_.reserve(flushSize_);
}

SafeResultFile::SafeResultFile(StandardOutput, std::size_t flushSize)
    : flushSize_(flushSize), output_(StandardResultOutput())
{
    pending_.reserve(flushSize_);
}

SafeResultFile::~SafeResultFile()
{
    discard();
}

bool SafeResultFile::open()
{
    // Without a name the temporary file would be written, only to fail at commit().
    if (unnamed_)
        return failWith(QStringLiteral("не задано имя файла"));
    return output_->open() || failWith(output_->errorText());
}

bool SafeResultFile::writesInPlace() const
{
    return output_->inPlace();
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
    if (flush())
        writeAll(text.data(), text.size());
}

bool SafeResultFile::flush()
{
    if (hasError_ || pending_.empty())
        return !hasError_;
    const bool written = writeAll(pending_.data(), pending_.size());
    pending_.clear();
    return written;
}

bool SafeResultFile::writeAll(const char* data, std::size_t size)
{
    return output_->write(data, size) || failWith(output_->errorText());
}

bool SafeResultFile::commit()
{
    if (!flush())
        return false;
    return output_->commit() || failWith(output_->errorText());
}

void SafeResultFile::discard()
{
    pending_.clear();
    if (!output_->discard() && !hasError_)
        failWith(output_->errorText());
}

} // namespace passcat
