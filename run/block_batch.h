#pragma once

#include <cstddef>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/block_reader.h"
#include "run/block_pipeline.h"

namespace passcat {

// Consecutive blocks, read together and evaluated by one worker.
struct BlockBatch {
    // The blocks as read: the first readCount of reads. The others, and the buffers of
    // all, are kept from earlier batches, so that reading allocates nothing once they
    // are large enough, and no memory goes from one thread to another.
    std::vector<BlockReadResult> reads;
    std::size_t readCount = 0;
    std::vector<bool> inputFailed;
    std::size_t weight = 0;
    EvaluatedBatch evaluated;
    bool done = false;

    BlockReadResult& nextRead();
    void clear();
};

// About how much memory a block takes while it waits: its numbers as read, its
// section as written (about a hundred bytes a point) and its texts.
std::size_t WaitingWeightOf(const BlockReadResult& read);

// Evaluates the blocks read into the batch, their sections appended to its
// evaluated record; the buffers of large blocks are let go.
void EvaluateBatch(BlockBatch& batch, const EvaluationSettings& settings);

} // namespace passcat
