#include "engine/block_evaluation.h"

#include <cmath>
#include <utility>
#include <variant>

#include "engine/messages.h"
#include "engine/report_writer.h"

namespace passcat {
namespace {

// Extreme but finite input can still overflow a grade or a sum, or the single
// precision of the category rule's end altitude and height gain; such a block has no
// report worth writing.
std::optional<std::size_t> FirstPointNotFinite(const ObstacleBlock& block, const SegmentSeries& series,
                                               const PointScores& scores)
{
    const double endHeight = block.heights.back();
    for (std::size_t i = 0; i < series.deltaHeights.size(); ++i) {
        const bool finite = std::isfinite(series.deltaDistances[i]) && std::isfinite(series.deltaHeights[i])
            && std::isfinite(series.segmentGrades[i]) && std::isfinite(series.remainingGrades[i])
            && std::isfinite(scores.surfaceScores[i]) && std::isfinite(scores.pointScores[i])
            && std::isfinite(static_cast<float>(endHeight))
            && std::isfinite(static_cast<float>(endHeight - block.heights[i]));
        if (!finite)
            return i;
    }
    return std::nullopt;
}

// The checks and the rating of a block's points; the message when a check fails.
std::variant<PointRatings, std::string> RatePoints(const ObstacleBlock& block, std::uint64_t titleLineNumber,
                                                   const EvaluationSettings& settings)
{
    if (auto fault = CheckProfile(block, settings.weighting, titleLineNumber))
        return std::move(*fault);
    PointRatings ratings;
    ratings.series = DeriveSegmentSeries(block);
    ratings.scores = ComputePointScores(block, ratings.series, settings.tables, settings.weighting, settings.sharing);
    if (const auto point = FirstPointNotFinite(block, ratings.series, ratings.scores))
        return messages::ValueNotFinite(*point, titleLineNumber);
    ratings.recommendation = RecommendPoint(block, ratings.scores, settings.tables);
    return ratings;
}

BlockSummary RejectedSummary(const std::string& title, std::uint64_t titleLineNumber, std::string message)
{
    return {.title = title, .titleLineNumber = titleLineNumber, .rejection = std::move(message)};
}

} // namespace

BlockEvaluation EvaluateReadBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings)
{
    switch (read.status) {
    case BlockReadResult::Status::TrailingBlank:
        return {};
    case BlockReadResult::Status::Malformed:
        return {BlockOutcome::Rejected, RejectedSummary(read.block.title, read.titleLineNumber, read.fault), {}};
    case BlockReadResult::Status::Complete:
        break;
    }

    auto rating = RatePoints(read.block, read.titleLineNumber, settings);
    if (auto* fault = std::get_if<std::string>(&rating))
        return {BlockOutcome::Rejected, RejectedSummary(read.block.title, read.titleLineNumber, std::move(*fault)), {}};
    PointRatings& ratings = std::get<PointRatings>(rating);
    WriteBlockSection(result, read.block, ratings, settings.labels, settings.format);
    BlockEvaluation evaluation{BlockOutcome::Accepted, SummaryOfRatedBlock(read.block, ratings, read.titleLineNumber), {}};
    if (settings.keepRatedBlocks)
        evaluation.rated = RatedBlock{read.block, std::move(ratings)};
    return evaluation;
}

BlockEvaluation EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings)
{
    return EvaluateReadBlock(ReadObstacleBlock(input), result, settings);
}

BlockRating RateBlock(ObstacleBlock block, const EvaluationSettings& settings, std::uint64_t titleLineNumber)
{
    auto rating = RatePoints(block, titleLineNumber, settings);
    if (auto* fault = std::get_if<std::string>(&rating))
        return {RejectedSummary(block.title, titleLineNumber, std::move(*fault)), std::nullopt};
    PointRatings& ratings = std::get<PointRatings>(rating);
    BlockSummary summary = SummaryOfRatedBlock(block, ratings, titleLineNumber);
    return {std::move(summary), RatedBlock{std::move(block), std::move(ratings)}};
}

} // namespace passcat
