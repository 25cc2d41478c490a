#include "platform/native_path.h"

#include <algorithm>
#include <cstdint>

namespace passcat {
namespace {

constexpr char16_t kFirstEscape = 0xDC80; // the byte 0x80; 0xDCFF is 0xFF

// The length of the valid UTF-8 sequence at the start of bytes, 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint8_t lower = 0x80; // bounds of the first continuation byte: no overlong
    std::uint8_t upper = 0xBF; // forms, surrogates or code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lower = lead == 0xE0 ? 0xA0 : 0x80;
        upper = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lower = lead == 0xF0 ? 0x90 : 0x80;
        upper = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < lower || byte(1) > upper)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

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
