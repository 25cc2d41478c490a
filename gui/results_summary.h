#pragma once

#include <QString>

#include "run/run_result.h"

namespace passcat {

// The line under the table of blocks: how many blocks, accepted and rejected, the
// highest category and the first block that has it; then, one a line, the tracks
// that gave no climb.
QString ResultsSummary(const RunResult& run);

} // namespace passcat
