#include "document/document_file.h"

#include <QTextDocument>

#include "document/document_writers.h"
#include "document/output_file.h"
#include "document/trip_document.h"

namespace passcat {

std::optional<QString> WriteTripDocument(const QString& path, DocumentFormat format, const TripReport& report)
{
    QTextDocument document;
    BuildTripDocument(document, report);
    QByteArray bytes;
    switch (format) {
    case DocumentFormat::Odt:
        bytes = OdtDocument(document, report);
        break;
    case DocumentFormat::Pdf:
        bytes = PdfDocument(document, report);
        break;
    case DocumentFormat::Html:
        bytes = HtmlDocument(document, report);
        break;
    }
    const QString what = QStringLiteral("документ");
    if (bytes.isEmpty())
        return OutputFailure(what, path, QStringLiteral("не удалось построить документ"));
    return WriteOutputFile(what, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace passcat
