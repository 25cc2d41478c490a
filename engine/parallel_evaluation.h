#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "engine/block_evaluation.h"
#include "engine/line_io.h"

namespace passcat {

// What one block gave, as EvaluateObstacleBlock would have written and reported it.
struct OrderedBlockResult {
    std::uint64_t blockNumber = 0;      // from 1: the how-manieth EvaluateObstacleBlock call it stands for
    BlockOutcome outcome = BlockOutcome::NoBlock;
    std::string_view section;           // Accepted: the block's lines, each ending in CR LF
    const BlockRejection* rejection = nullptr; // Rejected: why
    bool inputFailedWhenRead = false;   // the input's failure probe was true right after reading it
};

// Receives the results of EvaluateObstacleBlocks in file order, on the thread that
// called it.
class OrderedBlockResults {
public:
    virtual ~OrderedBlockResults() = default;
    // False stops the evaluation: no further block is handed over.
    virtual bool blockDone(const OrderedBlockResult& result) = 0;
    // Called after a run of blockDone calls: the sections handed over since the last
    // call stay valid until this one returns, and no longer. Consecutive sections of
    // such a run lie one after the other in memory. False stops as blockDone does.
    virtual bool sectionsDone() { return true; }
};

struct ParallelEvaluationOptions {
    unsigned workers = 0;                        // threads evaluating blocks; 0: one per processor
    std::size_t batchBytes = std::size_t{1} << 20;     // about how much a worker takes at once
    std::size_t inFlightBytes = std::size_t{16} << 20; // about how much is held at most, read
                                                       // blocks and written sections together
    // Asked on the reading thread right after each block has been read.
    std::function<bool()> inputFailed;
};

// Does what calling EvaluateObstacleBlock as long as the input is not at its end does,
// with the same sections and rejections in the same order, but reads the input on
// one thread and evaluates the blocks on several. Memory stays bounded by
// inFlightBytes plus the largest block. An exception of any thread is thrown here.
void EvaluateObstacleBlocks(LineSource& input, const EvaluationSettings& settings, OrderedBlockResults& results,
                            const ParallelEvaluationOptions& options = {});

} // namespace passcat
