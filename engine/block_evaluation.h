#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/block_reader.h"
#include "engine/line_io.h"
#include "engine/reference_tables.h"
#include "engine/report_labels.h"
#include "engine/surface_weighting.h"
#include "engine/work_sharing.h"

namespace passcat {

struct BlockRejection {
    std::string message;           // UTF-8, begins with "Ошибка: "
    std::uint64_t titleLineNumber; // where the block starts in the input
};

struct EvaluationSettings {
    ReferenceTables tables;
    SurfaceWeighting weighting = SurfaceWeighting::ByHeight;
    ReportLabels labels = ReportLabels::Utf8();
    NumberFormat format;
    WorkSharing* sharing = nullptr; // threads lent to large blocks; none: the calling thread alone
};

enum class BlockOutcome { Accepted, Rejected, NoBlock };

struct BlockEvaluation {
    BlockOutcome outcome = BlockOutcome::NoBlock;
    std::optional<BlockRejection> rejection; // Rejected: why
};

// Checks and evaluates a block read already; an accepted block's section goes to
// result.
BlockEvaluation EvaluateReadBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings);

// Reads exactly one block, through its end line, and evaluates it. NoBlock when only
// blank lines were left.
BlockEvaluation EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings);

} // namespace passcat
