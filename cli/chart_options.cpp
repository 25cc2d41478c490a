#include "cli/chart_options.h"

#include <QCommandLineParser>

namespace passcat {
namespace {

const QString kChartsName = QStringLiteral("charts");
const QString kFormatName = QStringLiteral("chart-format");

} // namespace

QList<QCommandLineOption> ChartCommandLineOptions()
{
    return {
        QCommandLineOption(kChartsName,
                           QStringLiteral("папка для графиков профиля, по одному на принятый блок: 001.svg, "
                                          "002.svg, ... по номеру блока во входном файле; создается, если ее нет"),
                           QStringLiteral("DIR")),
        QCommandLineOption(kFormatName, QStringLiteral("формат графиков; по умолчанию svg"), QStringLiteral("svg|png"),
                           QStringLiteral("svg")),
    };
}

std::optional<QString> ReadChartRequest(const QCommandLineParser& parser, ChartRequest& request)
{
    const QString format = parser.value(kFormatName);
    if (format != QLatin1String("svg") && format != QLatin1String("png"))
        return QStringLiteral("формат графиков должен быть svg или png, задано: ") + format;
    request.format = format == QLatin1String("png") ? ChartFormat::Png : ChartFormat::Svg;
    if (parser.isSet(kChartsName)) {
        request.folder = parser.value(kChartsName);
        if (request.folder.isEmpty())
            return QStringLiteral("не задана папка для графиков (--charts)");
    }
    return std::nullopt;
}

} // namespace passcat
