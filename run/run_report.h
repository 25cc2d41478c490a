#pragma once

#include <string>

#include "run/run_result.h"

namespace passcat {

// The report of a run's accepted blocks as they are now (their surfaces maybe changed
// since), each section written from its rated record with the run's labels and number
// format: the bytes that a run of their profile with the same settings writes.
std::string ReportOfRun(const RunResult& run);

} // namespace passcat
