#pragma once

#include <QByteArray>

#include "document/trip_report.h"

class QTextDocument;

namespace passcat {

// The bytes of a document built by BuildTripDocument in each format, with the charts
// of report drawn one at a time; empty when it could not be written. The same
// document gives the same bytes: the only date in them is the report's.

// OpenDocument text, the charts as PNG pictures.
QByteArray OdtDocument(QTextDocument& document, const TripReport& report);

// A4 PDF with page numbers and the font embedded, the texts as text and the charts
// drawn as lines and areas at the page's resolution.
QByteArray PdfDocument(QTextDocument& document, const TripReport& report);

// One HTML file, the charts inline as SVG.
QByteArray HtmlDocument(const QTextDocument& document, const TripReport& report);

} // namespace passcat
