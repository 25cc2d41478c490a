#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "cli/chart_options.h"
#include "run/run_result.h"

namespace passcat {

// Writes the chart of every rated block of the run into the request's folder, made
// when missing, one chart at a time, each file replaced only once it is complete.
// The message of the first failure, if any.
std::optional<QString> WriteChartFiles(const ChartRequest& request, const RunResult& run, ChartOfBlock chartOf);

} // namespace passcat
