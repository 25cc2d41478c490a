#include "platform/text_encoding.h"

#include <QList>
#include <QString>

#include "engine/cp1251.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace passcat {

std::string Utf8ToCp1251(std::string_view utf8)
{
    const QList<uint> codePoints =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUcs4();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(codePoints.size()));
    for (const uint codePoint : codePoints)
        bytes.push_back(Cp1251Byte(codePoint));
    return bytes;
}

std::string Cp1251ToUtf8(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        const char32_t codePoint = Cp1251CodePoint(code);
        const bool assigned = code < 0x80 || codePoint != 0;
        text.append(assigned ? QChar(static_cast<char16_t>(codePoint)) : QChar(QChar::ReplacementCharacter));
    }
    return text.toStdString();
}

TextEncoding SystemTextEncoding()
{
#ifdef _WIN32
    return GetACP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::Cp1251;
#else
    return TextEncoding::Utf8;
#endif
}

} // namespace passcat
