#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace passcat {

// Exit statuses of passcat-cli.
inline constexpr int kExitAllAccepted = 0;
inline constexpr int kExitSomeRejected = 1; // the report holds the other blocks
inline constexpr int kExitFailed = 2;       // bad arguments, or the run failed

// Carries the command out: listings go to output, every message to errors, one line
// each, in UTF-8. Charts, when asked for, go through writeCharts once the report is
// safe. Returns the exit status.
int RunCliCommand(const CliCommand& command, std::ostream& output, std::ostream& errors,
                  const ChartWriter& writeCharts = {});

} // namespace passcat
