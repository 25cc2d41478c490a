#include <QBuffer>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include "document/chart_pictures_ahead.h"
#include "document/document_writers.h"
#include "document/fixed_hash_seed.h"
#include "document/trip_document.h"
#include "document/zip_entry_dates.h"

namespace passcat {

QByteArray OdtDocument(QTextDocument& document, const TripReport& report)
{
    // The charts' pictures are made a few ahead of the writer and each dropped once
    // written: the document keeps no resources of its own.
    ChartPicturesAhead pictures(report);
    document.setResourceProvider([&report, &pictures](const QUrl& name) -> QVariant {
        const std::optional<std::size_t> place = ChartPlaceOfImage(report, name.toString());
        return place ? QVariant(pictures.take(*place)) : QVariant();
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
