#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    bool keepFigures = false;       // an accepted block hands back its figures, for a chart
};

enum class BlockOutcome { Accepted, Rejected, NoBlock };

// What an accepted block's chart is drawn from: its points and what was found for them.
struct BlockFigures {
    std::string title;                     // the title line, byte for byte
    std::vector<double> distances;         // km, every point
    std::vector<double> heights;           // m, every point
    std::vector<std::int16_t> categories;  // 0 to 6, one per segment (point i to i + 1)
    std::vector<float> scores;             // one per segment
    std::size_t recommendedPoint = 0;
    std::string categoryText;              // "Категория сложности: 5", UTF-8, as the report has it
    std::string scoreText;                 // "Балл: 7.274667", with the run's decimal separator
};

struct BlockEvaluation {
    BlockOutcome outcome = BlockOutcome::NoBlock;
    std::optional<BlockRejection> rejection; // Rejected: why
    std::optional<BlockFigures> figures;     // Accepted, when the settings keep figures
};

// Checks and evaluates a block read already; an accepted block's section goes to
// result.
BlockEvaluation EvaluateReadBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings);

// Reads exactly one block, through its end line, and evaluates it. NoBlock when only
// blank lines were left.
BlockEvaluation EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings);

} // namespace passcat
