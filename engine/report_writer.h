#pragma once

#include "engine/line_io.h"
#include "engine/obstacle_block.h"
#include "engine/rated_block.h"
#include "engine/report_labels.h"

namespace passcat {

// Writes the section of an accepted block from its points and their ratings: title,
// header, one row per point but the last, the recommended values and two empty lines.
void WriteBlockSection(LineSink& result, const ObstacleBlock& block, const PointRatings& ratings,
                       const ReportLabels& labels, NumberFormat format);

} // namespace passcat
