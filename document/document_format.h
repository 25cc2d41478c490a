#pragma once

#include <QString>

#include <optional>

namespace passcat {

enum class DocumentFormat { Odt, Pdf, Html };

// The format a file's name asks for by its extension, in any case; none for another.
std::optional<DocumentFormat> DocumentFormatOfPath(const QString& path);

// The extensions taken, as a refusal lists them: ".odt, .pdf или .html".
QString DocumentExtensions();

} // namespace passcat
