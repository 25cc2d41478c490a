#include "cli/document_options.h"

#include <QCommandLineParser>

namespace passcat {
namespace {

const QString kSummaryName = QStringLiteral("summary");
const QString kDocumentName = QStringLiteral("document");

} // namespace

QList<QCommandLineOption> DocumentCommandLineOptions()
{
    return {
        QCommandLineOption(kSummaryName,
                           QStringLiteral("таблица перевалов для электронной таблицы (CSV: UTF-8, \";\"), по строке "
                                          "на блок входного файла"),
                           QStringLiteral("ФАЙЛ")),
        QCommandLineOption(kDocumentName,
                           QStringLiteral("документ для отчета о походе: таблица, график и числа каждого перевала; "
                                          "формат по окончанию имени: .odt, .pdf или .html"),
                           QStringLiteral("ФАЙЛ")),
    };
}

std::optional<QString> ReadDocumentRequest(const QCommandLineParser& parser, DocumentRequest& request)
{
    if (parser.isSet(kSummaryName)) {
        request.summaryPath = parser.value(kSummaryName);
        if (request.summaryPath.isEmpty())
            return QStringLiteral("не задан файл таблицы (--summary)");
    }
    if (parser.isSet(kDocumentName)) {
        request.documentPath = parser.value(kDocumentName);
        if (request.documentPath.isEmpty())
            return QStringLiteral("не задан файл документа (--document)");
        const std::optional<DocumentFormat> format = DocumentFormatOfPath(request.documentPath);
        if (!format) {
            return QStringLiteral("имя документа должно оканчиваться на %1, задано: %2")
                .arg(DocumentExtensions(), request.documentPath);
        }
        request.documentFormat = *format;
    }
    return std::nullopt;
}

} // namespace passcat
