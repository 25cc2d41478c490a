#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/line_io.h"

namespace passcat {

// A run of consecutive blocks of the input as evaluated, in file order.
struct EvaluatedBatch {
    struct Block {
        BlockEvaluation evaluation;
        std::size_t sectionEnd = 0;       // where its section ends in sections; only accepted blocks add one
        bool inputFailedWhenRead = false; // the input's failure probe was true right after reading it
    };
    std::uint64_t firstBlockNumber = 0; // from 1: the place of blocks[0] among the input's blocks
    std::vector<Block> blocks;
    std::string sections; // the accepted blocks' sections one after the other, every line ending in CR LF
};

// Receives the batches on the thread that started the evaluation, in file order.
class EvaluatedBatches {
public:
    virtual ~EvaluatedBatches() = default;
    // False stops the evaluation: no further batch is handed over. The batch is
    // valid only during the call; what it holds may be taken.
    virtual bool batchDone(EvaluatedBatch& batch) = 0;
};

struct PipelineOptions {
    // Threads that read and evaluate, surface sums of large blocks included; 0: one
    // per processor. With 1 the calling thread does everything.
    unsigned threads = 0;
    std::size_t batchBytes = std::size_t{1} << 20;     // about how much a worker takes at once
    std::size_t inFlightBytes = std::size_t{16} << 20; // about how much is held at most, read
                                                       // blocks and written sections together
    // Asked on the reading thread right after each block has been read.
    std::function<bool()> inputFailed;
};

// Evaluates every block of input, as EvaluateObstacleBlock called until the input is
// at its end would, with the same sections and rejections in the same order, but
// reads on one thread and evaluates on others. Memory stays bounded by
// inFlightBytes plus the largest block. An exception of any thread is thrown here.
void EvaluateInputBlocks(LineSource& input, const EvaluationSettings& settings, EvaluatedBatches& batches,
                         const PipelineOptions& options = {});

} // namespace passcat
