#pragma once

#include <string>

#include "run/run_result.h"

namespace passcat {

// The profile text a run kept (RunSettings::keepProfileText) with the surface
// coefficients its accepted blocks have now: the last column of every data line whose
// coefficient was changed since holds the new one, as the shortest text that reads
// back as the same number; every other byte is kept. Read again with the run's
// settings, it gives the blocks as they are now, and so the same report.
std::string ProfileWithSurfaces(const RunResult& run);

} // namespace passcat
