#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace passcat {

// Carries the command out: listings go to output, every message to errors, one line
// each, in UTF-8. Charts and the document, when asked for, go through writeCharts and
// writeDocument once the report is safe. Returns the exit status.
int RunCliCommand(const CliCommand& command, std::ostream& output, std::ostream& errors,
                  const ChartWriter& writeCharts = {}, const DocumentWriter& writeDocument = {});

} // namespace passcat
