#include "gui/chart_saving.h"

#include <QDir>

#include <optional>
#include <string_view>

#include "chart/chart_renderer.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "platform/safe_result_file.h"

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

// The reason a chart file could not be written, if it could not.
std::optional<QString> WriteChartFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("не удалось построить изображение");
    SafeResultFile file(path);
    if (!file.open())
        return file.errorString();
    file.writeText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
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
    const QByteArray bytes = RenderChart(drawing, FormatFor(path, filter));
    if (const auto failure = WriteChartFile(path, bytes)) {
        messages.present(parent,
                         QStringLiteral("Ошибка: не удалось записать файл %1 (%2)")
                             .arg(QDir::toNativeSeparators(path), *failure),
                         MessageIcon::Critical);
    }
}

} // namespace passcat
