#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

#include "document/document_format.h"
#include "document/trip_report.h"

class QCommandLineParser;

namespace passcat {

// The trip report's files that passcat-cli writes beside the report, if any.
struct DocumentRequest {
    QString summaryPath;  // empty: no table
    QString documentPath; // empty: no document
    DocumentFormat documentFormat = DocumentFormat::Pdf;

    bool wantsSummary() const { return !summaryPath.isEmpty(); }
    bool wantsDocument() const { return !documentPath.isEmpty(); }
};

// Writes the document of a run to path in format; the message of a failure, if any.
using DocumentWriter = std::function<std::optional<QString>(const QString& path, DocumentFormat format,
                                                            const TripReport& report)>;

// --summary FILE and --document FILE.
QList<QCommandLineOption> DocumentCommandLineOptions();

// Reads them from a parser that has parsed the arguments; the reason, without
// "Ошибка: ", when they are wrong.
std::optional<QString> ReadDocumentRequest(const QCommandLineParser& parser, DocumentRequest& request);

} // namespace passcat
