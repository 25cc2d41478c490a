#pragma once

#include <QUndoCommand>

#include <cstddef>
#include <functional>
#include <optional>

#include "run/run_result.h"

namespace passcat {

// The block with the surface coefficient of segments first..last set to surface and
// rated again as its run rated it; none when it no longer passes its checks.
std::optional<RunBlock> WithSurface(const RunBlock& block, std::size_t first, std::size_t last, double surface,
                                    const EvaluationSettings& settings);

// One surface change of one block, undone and redone by putting the block's record
// before or after it in its row.
class SurfaceChange final : public QUndoCommand {
public:
    using PutBlock = std::function<void(int row, const RunBlock& block)>;

    SurfaceChange(int row, RunBlock before, RunBlock after, PutBlock put);

    void undo() override { put_(row_, before_); }
    void redo() override { put_(row_, after_); }

private:
    int row_;
    RunBlock before_;
    RunBlock after_;
    PutBlock put_;
};

} // namespace passcat
