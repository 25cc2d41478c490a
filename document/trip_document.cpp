#include "document/trip_document.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "chart/chart_font.h"
#include "chart/chart_renderer.h"
#include "engine/reference_tables.h"

namespace passcat {
namespace {

const QString kChartImagePrefix = QStringLiteral("passcat-chart:");

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTextCharFormat CharFormat(double pointSize, bool bold = false)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

QTextBlockFormat Paragraph(double spaceAfter = 0)
{
    QTextBlockFormat format;
    format.setBottomMargin(spaceAfter);
    return format;
}

void AddHeading(QTextCursor& cursor, const TripReport& report)
{
    QTextBlockFormat title = Paragraph(8);
    title.setHeadingLevel(1);
    cursor.setBlockFormat(title);
    cursor.insertText(QStringLiteral("Категории трудности перевалов"), CharFormat(16, true));
    const std::string_view region = kRegionNames[static_cast<std::size_t>(report.regionIndex)];
    const QString lines[] = {
        QStringLiteral("Файл: ") + report.inputName,
        QStringLiteral("Регион: ") + Text(region),
        QStringLiteral("Взвешивание покрытия: ") + Text(SurfaceWeightingName(report.run->evaluation.weighting)),
        QStringLiteral("Дата: ") + report.date.toString(u"dd.MM.yyyy"),
    };
    for (const QString& line : lines) {
        cursor.insertBlock(Paragraph(), CharFormat(10));
        cursor.insertText(line);
    }
    cursor.insertBlock(Paragraph(), CharFormat(10));
}

// The summary table with a heading row repeated on every page; a rejected block's
// message runs across the columns of the figures.
void AddTable(QTextCursor& cursor, const TripReport& report)
{
    QTextTableFormat format;
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setHeaderRowCount(1);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setBorder(0.5);
    // Percentages of the width: the title wraps, the numbers stay on one line.
    QList<QTextLength> widths;
    for (const double percent : {4, 20, 7, 8, 8, 8, 8, 9, 8, 10, 10})
        widths.append(QTextLength(QTextLength::PercentageLength, percent));
    format.setColumnWidthConstraints(widths);
    const int columns = static_cast<int>(kSummaryColumnCount);
    QTextTable* table = cursor.insertTable(static_cast<int>(report.rows.size()) + 1, columns, format);
    for (int column = 0; column < columns; ++column) {
        table->cellAt(0, column).firstCursorPosition().insertText(Text(kSummaryHeader[static_cast<std::size_t>(column)]),
                                                                  CharFormat(7, true));
    }
    for (std::size_t k = 0; k < report.rows.size(); ++k) {
        const SummaryRow& row = report.rows[k];
        const int tableRow = static_cast<int>(k) + 1;
        if (row.rejected)
            table->mergeCells(tableRow, kSummaryLength, 1, columns - kSummaryLength);
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            table->cellAt(tableRow, static_cast<int>(column)).firstCursorPosition().insertText(Text(row.cells[column]),
                                                                                             CharFormat(7));
        }
    }
    cursor.movePosition(QTextCursor::End);
}

void AddSection(QTextCursor& cursor, const SummaryRow& row, std::size_t place)
{
    QTextBlockFormat title = Paragraph(6);
    title.setHeadingLevel(2);
    title.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(title, CharFormat(13, true));
    cursor.insertText(Text(row.cells[kSummaryNumber]) + QStringLiteral(". ") + Text(row.cells[kSummaryTitle]));

    cursor.insertBlock(Paragraph(6), CharFormat(10));
    QTextImageFormat chart;
    chart.setName(kChartImagePrefix + QString::number(place));
    chart.setWidth(kDocumentChartWidth);
    chart.setHeight(kDocumentChartHeight);
    cursor.insertImage(chart);

    for (std::size_t column = kSummaryLength; column < kSummaryColumnCount; ++column) {
        cursor.insertBlock(Paragraph(), CharFormat(10));
        cursor.insertText(Text(kSummaryHeader[column]) + QStringLiteral(": ") + Text(row.cells[column]));
    }
}

} // namespace

void BuildTripDocument(QTextDocument& document, const TripReport& report)
{
    QFont font(ChartFontFamily());
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setMetaInformation(QTextDocument::DocumentTitle,
                                QStringLiteral("Категории трудности перевалов: ") + report.inputName);
    QTextCursor cursor(&document);
    AddHeading(cursor, report);
    AddTable(cursor, report);
    const std::vector<std::size_t> places = ChartPlaces(report);
    for (const std::size_t k : places)
        AddSection(cursor, report.rows[k], k);
    if (places.empty()) {
        cursor.insertBlock(Paragraph(), CharFormat(10));
        cursor.insertText(QStringLiteral("Ни один блок не принят: графиков нет."));
    }
}

std::vector<std::size_t> ChartPlaces(const TripReport& report)
{
    std::vector<std::size_t> places;
    for (std::size_t k = 0; k < report.rows.size(); ++k) {
        if (!report.rows[k].rejected && report.run->blocks[k].rated)
            places.push_back(k);
    }
    return places;
}

std::optional<std::size_t> ChartPlaceOfImage(const TripReport& report, const QString& name)
{
    if (!name.startsWith(kChartImagePrefix))
        return std::nullopt;
    bool valid = false;
    const qsizetype place = name.mid(kChartImagePrefix.size()).toLongLong(&valid);
    const std::deque<RunBlock>& blocks = report.run->blocks;
    if (!valid || place < 0 || static_cast<std::size_t>(place) >= blocks.size() || !blocks[place].rated)
        return std::nullopt;
    return static_cast<std::size_t>(place);
}

ChartDisplayList LayOutChartAt(const TripReport& report, std::size_t place, const ChartTextMetrics& metrics)
{
    return LayOutChart(report.chartOf(*report.run->blocks[place].rated, report.run->evaluation.format.decimalSeparator),
                       metrics);
}

std::optional<ChartDisplayList> ChartOfImage(const TripReport& report, const QString& name)
{
    const std::optional<std::size_t> place = ChartPlaceOfImage(report, name);
    if (!place)
        return std::nullopt;
    return LayOutChartAt(report, *place, ChartFonts());
}

} // namespace passcat
