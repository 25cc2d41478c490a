#include "platform/native_path.h"

#include <cstdint>

#include "platform/escaped_byte.h"

namespace passcat {
namespace {

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
