// The result through a Windows handle: a temporary file beside the result, flushed to
// the disk and moved over it with write-through; a device (NUL, CON) or a pipe written
// in place. Every failure is told by GetLastError()'s cause.
#include "platform/result_output.h"

#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/system_error_text.h"
#include "platform/windows/win32_path.h"
#include "platform/windows/windows_error_text.h"

namespace passcat {
namespace {

constexpr std::size_t kLongestFileName = 255;

class HandleOutput final : public ResultOutput {
public:
    explicit HandleOutput(const QString& path) : target_(Win32Path(path)) {}

    ~HandleOutput() override { discard(); }

    bool open() override
    {
        const std::size_t nameStart = target_.find_last_of(L'\\') + 1;
        if (target_.size() - nameStart > kLongestFileName)
            return failed(ERROR_FILENAME_EXCED_RANGE);
        if (IsFolder(target_)) {
            error_ = SystemErrorText(EISDIR);
            return false;
        }
        // An existing result must be writable now: a file another program holds
        // (a spreadsheet locks it) is refused before anything is computed.
        handle_ = CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_NOT_FOUND)
                return failed(GetLastError());
            return openTemporary(nameStart);
        }
        if (GetFileType(handle_) != FILE_TYPE_DISK) {
            inPlace_ = true;
            return true;
        }
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return openTemporary(nameStart);
    }

    bool inPlace() const override { return inPlace_; }

    bool write(const char* data, std::size_t size) override
    {
        while (size > 0) {
            const DWORD part = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_, data, part, &written, nullptr))
                return failed(GetLastError());
            if (written == 0) // nothing taken and no error: waiting would never end
                return failed(ERROR_WRITE_FAULT);
            data += written;
            size -= written;
        }
        return true;
    }

    bool commit() override
    {
        // The data reaches the disk before the name does: a crash leaves the old result
        // or the new one, never a short one.
        if (!inPlace_ && !(FlushFileBuffers(handle_) && (!removedOnClose_ || removeOnClose(false))))
            return failed(GetLastError());
        if (!close())
            return false;
        if (!inPlace_ && !MoveFileExW(temporary_.c_str(), target_.c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return failed(GetLastError());
        temporary_.clear();
        return true;
    }

    bool discard() override
    {
        const bool closed = close();
        if (!temporary_.empty()) {
            DeleteFileW(temporary_.c_str());
            temporary_.clear();
        }
        return closed;
    }

    QString errorText() const override { return error_; }

private:
    bool openTemporary(std::size_t nameStart)
    {
        // A new name each time, created only if nobody has it; beside a name too long
        // for a suffix, a short one of its own.
        for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
            const std::wstring suffix = QString::number(QRandomGenerator::global()->generate(), 36).toStdWString();
            temporary_ = target_.size() - nameStart + 1 + suffix.size() <= kLongestFileName
                ? target_ + L'.' + suffix
                : target_.substr(0, nameStart) + L'~' + suffix;
            handle_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
                const DWORD code = GetLastError();
                temporary_.clear();
                return failed(code);
            }
        }
        if (handle_ == INVALID_HANDLE_VALUE) {
            temporary_.clear();
            return failed(ERROR_FILE_EXISTS);
        }
        // The system removes the file as its handle closes, also when the run is ended
        // from outside (Ctrl+C, the console closed, Task Manager); commit() keeps it.
        // Where the file system cannot, discard() still removes it.
        removedOnClose_ = removeOnClose(true);
        return true;
    }

    bool removeOnClose(bool remove)
    {
        FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove)};
        return SetFileInformationByHandle(handle_, FileDispositionInfo, &disposition, sizeof disposition);
    }

    bool close()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) || failed(GetLastError());
    }

    bool failed(DWORD code)
    {
        error_ = WindowsErrorText(code);
        return false;
    }

    std::wstring target_;    // the file replaced at commit()
    std::wstring temporary_; // beside it, while it exists
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool inPlace_ = false;
    bool removedOnClose_ = false; // the temporary file goes with its handle
    QString error_;
};

class StandardOutput final : public ResultOutput {
public:
    bool open() override
    {
        _setmode(_fileno(stdout), _O_BINARY);
        return true;
    }

    bool inPlace() const override { return true; }

    bool write(const char* data, std::size_t size) override
    {
        return std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0;
    }

    bool commit() override { return true; }
    bool discard() override { return true; }
    QString errorText() const override { return SystemErrorText(errno); }
};

} // namespace

std::unique_ptr<ResultOutput> ResultFileOutput(const QString& path) { return std::make_unique<HandleOutput>(path); }
std::unique_ptr<ResultOutput> StandardResultOutput() { return std::make_unique<StandardOutput>(); }

} // namespace passcat
