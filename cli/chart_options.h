#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "chart/chart_format.h"
#include "run/block_chart.h"
#include "run/run_result.h"

class QCommandLineParser;

namespace passcat {

// Where passcat-cli writes the blocks' charts, if anywhere.
struct ChartRequest {
    QString folder; // empty: no charts
    ChartFormat format = ChartFormat::Svg;

    bool wanted() const { return !folder.isEmpty(); }
};

// Writes the charts of a run's rated blocks where the request says; the message of a
// failure, if any.
using ChartWriter = std::function<std::optional<QString>(const ChartRequest&, const RunResult&, ChartOfBlock)>;

// --charts DIR and --chart-format svg|png.
QList<QCommandLineOption> ChartCommandLineOptions();

// Reads them from a parser that has parsed the arguments; the reason, without
// "Ошибка: ", when they are wrong.
std::optional<QString> ReadChartRequest(const QCommandLineParser& parser, ChartRequest& request);

} // namespace passcat
