// Unix names are bytes: what is not UTF-8 in them is kept as escaped bytes.
#include "platform/native_path.h"

#include <algorithm>
#include <cstdint>

#include "platform/escaped_byte.h"
#include "text/utf8.h"

namespace passcat {

QString PathFromNative(std::string_view bytes)
{
    QString path;
    while (!bytes.empty()) {
        std::size_t valid = 0;
        while (valid < bytes.size()) {
            const std::size_t length = Utf8SequenceLength(bytes.substr(valid));
            if (length == 0)
                break;
            valid += length;
        }
        path += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(valid));
        if (valid < bytes.size())
            path += QChar(static_cast<char16_t>(kFirstEscape + static_cast<std::uint8_t>(bytes[valid]) - 0x80));
        bytes.remove_prefix(std::min(valid + 1, bytes.size()));
    }
    return path;
}

bool FileNamesAreBytes()
{
    return true;
}

qsizetype LastPathSeparator(const QString& path)
{
    return path.lastIndexOf(u'/');
}

} // namespace passcat
