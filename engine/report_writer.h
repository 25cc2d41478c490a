#pragma once

#include "engine/line_io.h"
#include "engine/obstacle_block.h"
#include "engine/point_scores.h"
#include "engine/recommendation.h"
#include "engine/report_labels.h"
#include "engine/segment_series.h"

namespace passcat {

// Everything the section of one accepted block is made of.
struct EvaluatedBlock {
    const ObstacleBlock& block;
    const SegmentSeries& series;
    const PointScores& scores;
    const Recommendation& recommendation;
};

// Writes the section: title, header, one row per point but the last, the
// recommended values and two empty lines.
void WriteBlockSection(LineSink& result, const EvaluatedBlock& evaluated, const ReportLabels& labels,
                       NumberFormat format);

} // namespace passcat
