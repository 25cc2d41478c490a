#include <QBuffer>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include "chart/chart_renderer.h"
#include "document/document_writers.h"
#include "document/fixed_hash_seed.h"
#include "document/quick_png.h"
#include "document/trip_document.h"
#include "document/zip_entry_dates.h"

namespace passcat {

QByteArray OdtDocument(QTextDocument& document, const TripReport& report)
{
    // A chart's picture is made when the writer asks for it and dropped once written:
    // the document keeps no resources of its own.
    document.setResourceProvider([&report](const QUrl& name) -> QVariant {
        const std::optional<ChartDisplayList> chart = ChartOfImage(report, name.toString());
        return chart ? QVariant(QuickPng(RenderChartImage(*chart, kChartPage))) : QVariant();
    });
    QBuffer buffer;
    QTextDocumentWriter writer(&buffer, "odf");
    bool written = false;
    {
        const FixedHashSeed seed;
        written = writer.write(&document);
    }
    document.setResourceProvider({});
    QByteArray odt = buffer.data();
    // The archive's entries carry the time of writing.
    if (!written || !SetZipEntryDates(odt, report.date))
        return {};
    return odt;
}

} // namespace passcat
