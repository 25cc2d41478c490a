#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "cli/chart_options.h"
#include "run/block_chart.h"

namespace passcat {

// Writes every chart into the request's folder, made when missing, each file
// replaced only once it is complete. The message of the first failure, if any.
std::optional<QString> WriteChartFiles(const ChartRequest& request, const std::vector<NumberedChart>& charts);

} // namespace passcat
