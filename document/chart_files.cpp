#include "document/chart_files.h"

#include <QDir>

#include <string_view>

#include "chart/chart_renderer.h"
#include "document/output_file.h"
#include "platform/make_folders.h"
#include "platform/native_path.h"

namespace passcat {

std::optional<QString> WriteChartFile(const QString& path, const ChartDisplayList& drawing, ChartFormat format)
{
    const QString what = QStringLiteral("график");
    const QByteArray bytes = RenderChart(drawing, format);
    if (bytes.isEmpty())
        return OutputFailure(what, path, QStringLiteral("не удалось построить изображение"));
    return WriteOutputFile(what, path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::optional<QString> WriteChartFiles(const QString& folder, ChartFormat format, const RunResult& run,
                                       ChartOfBlock chartOf)
{
    if (QString error; !MakeFolders(folder, error)) {
        return QStringLiteral("Ошибка: не удалось создать папку для графиков %1 (%2)")
            .arg(DisplayPath(QDir::toNativeSeparators(folder)), error);
    }
    const QDir dir(folder);
    for (const RunBlock& block : run.blocks) {
        if (!block.rated)
            continue;
        const QString path =
            QDir::toNativeSeparators(dir.filePath(QString::fromStdString(ChartFileName(block.number, format))));
        if (auto failure = WriteChartFile(
                path, LayOutChart(chartOf(*block.rated, run.evaluation.format.decimalSeparator)), format))
            return failure;
    }
    return std::nullopt;
}

} // namespace passcat
