#include "platform/native_path.h"

#include <algorithm>
#include <cstdint>

#include "text/utf8.h"

namespace passcat {
namespace {

constexpr char16_t kFirstEscape = 0xDC80; // the byte 0x80; 0xDCFF is 0xFF

bool IsEscapedByte(const QString& path, qsizetype i)
{
    const char16_t unit = path[i].unicode();
    return unit >= kFirstEscape && unit <= 0xDCFF && (i == 0 || !path[i - 1].isHighSurrogate());
}

// Hands the runs of plain text to text() and the escaped bytes to byte(), in order.
template <typename Text, typename Byte>
void SplitEscapes(const QString& path, Text text, Byte byte)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscapedByte(path, i))
            continue;
        text(QStringView(path).mid(start, i - start));
        byte(static_cast<char>(path[i].unicode() - kFirstEscape + 0x80));
        start = i + 1;
    }
    text(QStringView(path).mid(start));
}

} // namespace

QString PathFromNative(std::string_view bytes)
{
#ifdef _WIN32
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
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
#endif
}

QByteArray NativePath(const QString& path)
{
    QByteArray bytes;
    SplitEscapes(
        path, [&bytes](QStringView text) { bytes += text.toUtf8(); }, [&bytes](char byte) { bytes += byte; });
    return bytes;
}

QString DisplayPath(const QString& path)
{
    QString shown;
    SplitEscapes(
        path, [&shown](QStringView text) { shown += text; },
        [&shown](char byte) {
            shown += QStringLiteral("\\x%1").arg(static_cast<std::uint8_t>(byte), 2, 16, QLatin1Char('0'));
        });
    return shown;
}

} // namespace passcat
