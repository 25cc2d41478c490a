#pragma once

#include <optional>

#include "engine/block_reader.h"
#include "engine/line_io.h"
#include "engine/rated_block.h"
#include "engine/reference_tables.h"
#include "engine/report_labels.h"
#include "engine/surface_weighting.h"
#include "engine/work_sharing.h"

namespace passcat {

struct EvaluationSettings {
    ReferenceTables tables;
    SurfaceWeighting weighting = SurfaceWeighting::ByHeight;
    ReportLabels labels = ReportLabels::Utf8();
    NumberFormat format;
    WorkSharing* sharing = nullptr; // threads lent to large blocks; none: the calling thread alone
    bool keepRatedBlocks = false;   // an accepted block hands back its rated record
};

enum class BlockOutcome { Accepted, Rejected, NoBlock };

struct BlockEvaluation {
    BlockOutcome outcome = BlockOutcome::NoBlock;
    BlockSummary summary;            // Accepted or Rejected; a rejection says why
    std::optional<RatedBlock> rated; // Accepted, when the settings keep rated blocks
};

// Checks and evaluates a block read already; an accepted block's section goes to
// result.
BlockEvaluation EvaluateReadBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings);

// Reads exactly one block, through its end line, and evaluates it. NoBlock when only
// blank lines were left.
BlockEvaluation EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings);

// Rates a block again from its points alone, as a run would (no input, no report):
// for a block whose surface coefficients were changed. rated is set when it passes
// its checks; the summary holds the rejection otherwise.
struct BlockRating {
    BlockSummary summary;
    std::optional<RatedBlock> rated;
};
BlockRating RateBlock(ObstacleBlock block, const EvaluationSettings& settings, std::uint64_t titleLineNumber = 1);

} // namespace passcat
