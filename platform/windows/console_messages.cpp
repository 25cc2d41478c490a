#include "platform/console_messages.h"

#include <QString>
#include <QStringDecoder>

#include <io.h>
#include <windows.h>

#include <algorithm>

namespace passcat {
namespace {

// UTF-8 written to a console as UTF-16, which every console shows as it is, in
// cmd.exe and PowerShell alike. The decoder keeps a character split between two
// writes until its end comes.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type byte) override
    {
        if (traits_type::eq_int_type(byte, traits_type::eof()))
            return traits_type::not_eof(byte);
        const char c = traits_type::to_char_type(byte);
        return write(&c, 1) ? byte : traits_type::eof();
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        return write(bytes, count) ? count : 0;
    }

private:
    bool write(const char* bytes, std::streamsize count)
    {
        const QString text = decoder_(QByteArrayView(bytes, static_cast<qsizetype>(count)));
        const auto* characters = reinterpret_cast<const wchar_t*>(text.utf16());
        for (qsizetype done = 0; done < text.size();) {
            DWORD written = 0;
            const auto chunk = static_cast<DWORD>(std::min<qsizetype>(text.size() - done, 16384));
            if (!WriteConsoleW(console_, characters + done, chunk, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return true;
    }

    HANDLE console_;
    QStringDecoder decoder_{QStringDecoder::Utf8};
};

} // namespace

std::unique_ptr<std::streambuf> ConsoleMessageBuffer(std::FILE* stream)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleBuffer>(handle);
}

} // namespace passcat
