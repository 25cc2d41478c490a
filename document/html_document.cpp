#include <QRegularExpression>
#include <QTextDocument>

#include "chart/chart_svg_writer.h"
#include "document/document_writers.h"
#include "document/trip_document.h"

namespace passcat {

QByteArray HtmlDocument(const QTextDocument& document, const TripReport& report)
{
    // Qt writes each chart as <img src="NAME" width=".." height=".." />: the SVG
    // element, without its XML declaration, takes its place.
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]*)\"[^>]*>"));
    const QString html = document.toHtml();
    QByteArray bytes;
    qsizetype done = 0;
    for (auto matches = image.globalMatch(html); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        const std::optional<ChartDisplayList> chart = ChartOfImage(report, match.captured(1));
        if (!chart)
            continue;
        bytes += html.mid(done, match.capturedStart() - done).toUtf8();
        const std::string svg = WriteChartSvg(*chart);
        const std::size_t element = svg.find("<svg");
        bytes.append(svg.data() + element, static_cast<qsizetype>(svg.size() - element));
        done = match.capturedEnd();
    }
    return bytes + html.mid(done).toUtf8();
}

} // namespace passcat
