#pragma once

#include <string>

#include "chart/chart_model.h"
#include "engine/rated_block.h"

namespace passcat {

// A block's title line as text: UTF-8 as it stands, other bytes read as Windows-1251.
std::string TitleInUtf8(const std::string& title);

// The chart of an accepted block from its rated record: the title in UTF-8 (read as
// Windows-1251 where it is no UTF-8), the recommended point's texts and the axes'
// numbers as the report writes them, with its decimal separator.
ChartModel ChartOfRatedBlock(const RatedBlock& rated, char decimalSeparator);

// The chart of a rated block, with the report's texts and decimal separator, for a
// program's module that paints it: made by the program, which holds the engine's
// number texts (ChartOfRatedBlock).
using ChartOfBlock = ChartModel (*)(const RatedBlock& rated, char decimalSeparator);

} // namespace passcat
