#include "cli/chart_files.h"

#include <QDir>

#include <string_view>

#include "chart/chart_renderer.h"
#include "platform/make_folders.h"
#include "platform/native_path.h"
#include "platform/safe_result_file.h"

namespace passcat {
namespace {

QString WriteFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Ошибка: не удалось записать график %1 (%2)").arg(DisplayPath(path), reason);
}

} // namespace

std::optional<QString> WriteChartFiles(const ChartRequest& request, const RunResult& run, ChartOfBlock chartOf)
{
    if (QString error; !MakeFolders(request.folder, error)) {
        return QStringLiteral("Ошибка: не удалось создать папку для графиков %1 (%2)")
            .arg(DisplayPath(QDir::toNativeSeparators(request.folder)), error);
    }
    const QDir folder(request.folder);
    for (const RunBlock& block : run.blocks) {
        if (!block.rated)
            continue;
        const QString path = QDir::toNativeSeparators(
            folder.filePath(QString::fromStdString(ChartFileName(block.number, request.format))));
        const QByteArray bytes =
            RenderChart(LayOutChart(chartOf(*block.rated, run.evaluation.format.decimalSeparator)), request.format);
        if (bytes.isEmpty())
            return WriteFailure(path, QStringLiteral("не удалось построить изображение"));
        SafeResultFile file(path);
        if (!file.open())
            return WriteFailure(path, file.errorString());
        file.writeText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!file.commit())
            return WriteFailure(path, file.errorString());
    }
    return std::nullopt;
}

} // namespace passcat
