#include "platform/text_encoding.h"

#include <QList>
#include <QString>

#include "text/cp1251.h"

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

} // namespace passcat
