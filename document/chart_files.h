#pragma once

#include <QString>

#include <optional>

#include "chart/chart_display_list.h"
#include "chart/chart_format.h"
#include "run/block_chart.h"
#include "run/run_result.h"

namespace passcat {

// Writes a chart to path in format, replacing an older file only once complete; the
// message of a failure, if any.
std::optional<QString> WriteChartFile(const QString& path, const ChartDisplayList& drawing, ChartFormat format);

// Writes the chart of every rated block of the run into folder, made when missing, one
// chart at a time, each named by its block's number (ChartFileName). The message of
// the first failure, if any.
std::optional<QString> WriteChartFiles(const QString& folder, ChartFormat format, const RunResult& run,
                                       ChartOfBlock chartOf);

} // namespace passcat
