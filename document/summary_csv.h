#pragma once

#include <string>
#include <vector>

#include "document/summary_table.h"

namespace passcat {

// The table as a file that both systems' spreadsheets, Russian Excel included, open as
// it is: UTF-8 with a byte-order mark, ";" between fields, CR LF after every line, the
// header first; a field that holds ";", a quote, a TAB or a line end is quoted
// (RFC 4180).
std::string SummaryCsv(const std::vector<SummaryRow>& rows);

} // namespace passcat
