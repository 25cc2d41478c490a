#include "engine/block_evaluation.h"

#include <cmath>
#include <optional>

#include "engine/messages.h"
#include "engine/number_formatting.h"
#include "engine/point_scores.h"
#include "engine/recommendation.h"
#include "engine/report_writer.h"
#include "engine/segment_series.h"

namespace passcat {
namespace {

// Extreme but finite input can still overflow a grade or a sum; such a block has no
// report worth writing.
std::optional<std::size_t> FirstPointNotFinite(const SegmentSeries& series, const PointScores& scores)
{
    for (std::size_t i = 0; i < series.deltaHeights.size(); ++i) {
        const bool finite = std::isfinite(series.deltaDistances[i]) && std::isfinite(series.deltaHeights[i])
            && std::isfinite(series.segmentGrades[i]) && std::isfinite(series.remainingGrades[i])
            && std::isfinite(scores.surfaceScores[i]) && std::isfinite(scores.pointScores[i]);
        if (!finite)
            return i;
    }
    return std::nullopt;
}

BlockFigures FiguresOf(const EvaluatedBlock& e, NumberFormat format)
{
    const std::size_t r = e.recommendation.recommendedPoint;
    const ReportLabels labels = ReportLabels::Utf8();
    BlockFigures figures{e.block.title,
                         e.block.distances,
                         e.block.heights,
                         e.recommendation.pointCategories,
                         e.scores.pointScores,
                         r,
                         labels.categoryPrefix + std::to_string(e.recommendation.pointCategories[r]),
                         labels.scorePrefix};
    AppendNumberText(figures.scoreText, PutPlainSingle, e.scores.pointScores[r], format.decimalSeparator);
    return figures;
}

} // namespace

BlockEvaluation EvaluateReadBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings)
{
    const auto reject = [&](std::string message) {
        return BlockEvaluation{BlockOutcome::Rejected, BlockRejection{std::move(message), read.titleLineNumber}, {}};
    };
    switch (read.status) {
    case BlockReadResult::Status::TrailingBlank:
        return {};
    case BlockReadResult::Status::Malformed:
        return reject(read.fault);
    case BlockReadResult::Status::Complete:
        break;
    }

    const ObstacleBlock& block = read.block;
    if (auto fault = CheckProfile(block, settings.weighting))
        return reject(std::move(*fault));
    const SegmentSeries series = DeriveSegmentSeries(block);
    const PointScores scores = ComputePointScores(block, series, settings.tables, settings.weighting, settings.sharing);
    if (const auto point = FirstPointNotFinite(series, scores))
        return reject(messages::ValueNotFinite(*point));
    const Recommendation recommendation = RecommendPoint(block, scores, settings.tables);

    const EvaluatedBlock evaluated{block, series, scores, recommendation};
    WriteBlockSection(result, evaluated, settings.labels, settings.format);
    if (settings.keepFigures)
        return {BlockOutcome::Accepted, std::nullopt, FiguresOf(evaluated, settings.format)};
    return {BlockOutcome::Accepted, std::nullopt, std::nullopt};
}

BlockEvaluation EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings)
{
    return EvaluateReadBlock(ReadObstacleBlock(input), result, settings);
}

} // namespace passcat
