#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextObjectInterface>

#include "chart/chart_painter.h"
#include "document/document_writers.h"
#include "document/fixed_hash_seed.h"
#include "document/trip_document.h"

namespace passcat {
namespace {

// Draws the chart of an image of the document straight onto the page, as lines, areas
// and texts, instead of a picture of pixels.
class ChartObjects final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit ChartObjects(const TripReport& report) : report_(report) {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override
    {
        // The image's size is in the document's pixels, 96 to the inch.
        const QPaintDevice* device = document->documentLayout()->paintDevice();
        const double scale = device != nullptr ? device->logicalDpiX() / 96.0 : 1;
        const QTextImageFormat image = format.toImageFormat();
        return QSizeF(image.width(), image.height()) * scale;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override
    {
        if (const std::optional<ChartDisplayList> chart = ChartOfImage(report_, format.toImageFormat().name()))
            PaintChart(*painter, *chart, rect, TextPainting::Glyphs);
    }

private:
    const TripReport& report_;
};

// Qt stamps the file with the time of writing; the report's day stands in for it, in
// as many bytes, as the cross-reference table counts them.
void SetCreationDate(QByteArray& pdf, QDate date)
{
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key) + key.size();
    constexpr qsizetype kDigits = 14; // YYYYMMDDHHmmSS
    if (at < key.size() || at + kDigits > pdf.size())
        return;
    pdf.replace(at, kDigits, date.toString(u"yyyyMMdd").toLatin1() + "000000");
    const QByteArray zone = "+00'00'"; // or Z, which stays
    if (at + kDigits + zone.size() <= pdf.size() && (pdf[at + kDigits] == '+' || pdf[at + kDigits] == '-'))
        pdf.replace(at + kDigits, zone.size(), zone);
}

} // namespace

QByteArray PdfDocument(QTextDocument& document, const TripReport& report)
{
    ChartObjects charts(report);
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, &charts);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        const FixedHashSeed seed;
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        // Printing adds 2 cm of its own: the chart's 160 mm fill the line.
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("passcat"));
        document.print(&writer);
    }
    document.documentLayout()->unregisterHandler(QTextFormat::ImageObject, &charts);
    QByteArray pdf = buffer.data();
    SetCreationDate(pdf, report.date);
    return pdf;
}

} // namespace passcat

#include "pdf_document.moc"
