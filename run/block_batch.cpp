#include "run/block_batch.h"

#include "engine/text_lines.h"

namespace passcat {
namespace {

// A block's buffers kept for reuse at most this large (1.5 KB a block).
constexpr std::size_t kKeptPoints = 64;

} // namespace

BlockReadResult& BlockBatch::nextRead()
{
    if (readCount == reads.size())
        reads.emplace_back();
    return reads[readCount++];
}

void BlockBatch::clear()
{
    readCount = 0;
    inputFailed.clear();
    weight = 0;
    evaluated.blocks.clear();
    evaluated.sections.clear();
    done = false;
}

std::size_t WaitingWeightOf(const BlockReadResult& read)
{
    return read.block.heights.size() * 128 + 2 * read.block.title.size() + read.fault.size() + 256;
}

void EvaluateBatch(BlockBatch& batch, const EvaluationSettings& settings)
{
    TextLineSink sink(batch.evaluated.sections);
    batch.evaluated.blocks.resize(batch.readCount);
    for (std::size_t k = 0; k < batch.readCount; ++k) {
        EvaluatedBatch::Block& block = batch.evaluated.blocks[k];
        block.evaluation = EvaluateReadBlock(batch.reads[k], sink, settings);
        block.sectionEnd = batch.evaluated.sections.size();
        block.inputFailedWhenRead = batch.inputFailed[k];
        // The numbers are no longer needed; the section is what waits now. Small
        // buffers stay for the next batch, those of a large block go.
        if (batch.reads[k].block.heights.capacity() > kKeptPoints)
            batch.reads[k] = BlockReadResult{};
    }
}

} // namespace passcat
