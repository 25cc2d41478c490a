#include "document/document_format.h"

#include <QFileInfo>

#include <array>
#include <utility>

namespace passcat {
namespace {

constexpr std::array<std::pair<const char*, DocumentFormat>, 3> kExtensions = {{
    {"odt", DocumentFormat::Odt},
    {"pdf", DocumentFormat::Pdf},
    {"html", DocumentFormat::Html},
}};

} // namespace

std::optional<DocumentFormat> DocumentFormatOfPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const auto& [extension, format] : kExtensions) {
        if (suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
            return format;
    }
    return std::nullopt;
}

QString DocumentExtensions()
{
    return QStringLiteral(".%1, .%2 или .%3").arg(kExtensions[0].first, kExtensions[1].first, kExtensions[2].first);
}

} // namespace passcat
