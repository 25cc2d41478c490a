#include "gui/chart_saving.h"

#include <QDir>

#include "document/chart_files.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"

namespace passcat {
namespace {

const QString kSvgFilter = QStringLiteral("Рисунок SVG (*.svg)");
const QString kPngFilter = QStringLiteral("Рисунок PNG (*.png)");

// The format the name asks for by its suffix, else the one of the chosen filter.
ChartFormat FormatFor(const QString& path, const QString& filter)
{
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return ChartFormat::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return ChartFormat::Svg;
    return filter == kPngFilter ? ChartFormat::Png : ChartFormat::Svg;
}

} // namespace

void SaveChart(QWidget* parent, FileDialog& fileDialog, MessagePresenter& messages, const ChartDisplayList& drawing,
               std::uint64_t blockNumber)
{
    QString filter = kSvgFilter;
    const QString suggested = QString::fromStdString(ChartFileName(blockNumber, ChartFormat::Svg));
    const QString path = fileDialog.askSaveFileName(parent, suggested, kSvgFilter + ";;" + kPngFilter, filter);
    if (path.isEmpty())
        return;
    if (const auto failure = WriteChartFile(QDir::toNativeSeparators(path), drawing, FormatFor(path, filter)))
        messages.present(parent, *failure, MessageIcon::Critical);
}

} // namespace passcat
