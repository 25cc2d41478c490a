#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include "document/chart_pictures_ahead.h"
#include "document/document_writers.h"
#include "document/fixed_hash_seed.h"
#include "document/odt_archive.h"
#include "document/quick_png.h"
#include "document/trip_document.h"

namespace passcat {

QByteArray OdtDocument(QTextDocument& document, const TripReport& report)
{
    // The charts' pictures are made a few ahead and each dropped once written: the
    // document keeps no resources of its own.
    ChartPicturesAhead pictures(report);
    // Qt's writer deflates every picture once more, in vain: it gets a blank one of the
    // same size, which tells it the frame's size, and the charts go into its archive
    // afterwards, stored.
    QImage blank(kOdtChartPixels, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const QByteArray standIn = QuickPng(blank);
    document.setResourceProvider([&report, &standIn](const QUrl& name) -> QVariant {
        return ChartPlaceOfImage(report, name.toString()) ? QVariant(standIn) : QVariant();
    });
    QBuffer buffer;
    QTextDocumentWriter writer(&buffer, "odf");
    bool written = false;
    {
        const FixedHashSeed seed;
        written = writer.write(&document);
    }
    document.setResourceProvider({});
    if (!written)
        return {};
    // The archive's entries carry the time of writing.
    return FinishOdtArchive(buffer.data(), report.date, [&pictures] { return pictures.takeNext(); });
}

} // namespace passcat
