#include "gui/surface_change.h"

#include <algorithm>

#include "engine/block_evaluation.h"

namespace passcat {

std::optional<RunBlock> WithSurface(const RunBlock& block, std::size_t first, std::size_t last, double surface,
                                    const EvaluationSettings& settings)
{
    ObstacleBlock points = block.rated->block;
    std::fill(points.surfaceCoefs.begin() + static_cast<std::ptrdiff_t>(first),
              points.surfaceCoefs.begin() + static_cast<std::ptrdiff_t>(last) + 1, surface);
    BlockRating rating = RateBlock(std::move(points), settings, block.summary.titleLineNumber);
    if (!rating.rated)
        return std::nullopt;
    return RunBlock{block.number, std::move(rating.summary), std::make_shared<const RatedBlock>(std::move(*rating.rated))};
}

SurfaceChange::SurfaceChange(int row, RunBlock before, RunBlock after, PutBlock put)
    : QUndoCommand(QStringLiteral("покрытие блока %1").arg(before.number)), row_(row), before_(std::move(before)),
      after_(std::move(after)), put_(std::move(put))
{
}

} // namespace passcat
