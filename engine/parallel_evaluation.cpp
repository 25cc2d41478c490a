#include "engine/parallel_evaluation.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/block_reader.h"

namespace passcat {
namespace {

// A run of consecutive blocks, read together and evaluated by one worker.
struct Batch {
    struct Entry {
        BlockOutcome outcome = BlockOutcome::NoBlock;
        std::size_t sectionEnd = 0; // where the block's section ends in sections
        BlockRejection rejection;
    };

    // The blocks as read: the first readCount of reads. The others, and the buffers of
    // all, are kept from earlier batches, so that reading allocates nothing once they
    // are large enough, and no memory goes from one thread to another.
    std::vector<BlockReadResult> reads;
    std::size_t readCount = 0;
    std::vector<bool> inputFailed;
    std::uint64_t firstBlockNumber = 0;
    std::size_t weight = 0;

    std::string sections; // the sections of the accepted blocks, one after another
    std::vector<Entry> entries;
    bool evaluated = false;

    // The next block's place in reads.
    BlockReadResult& nextRead()
    {
        if (readCount == reads.size())
            reads.emplace_back();
        return reads[readCount++];
    }

    void clear()
    {
        readCount = 0;
        inputFailed.clear();
        weight = 0;
        sections.clear();
        entries.clear();
        evaluated = false;
    }
};

// About how much memory a block takes while it waits: its numbers as read, its
// section as written (about a hundred bytes a point) and its texts.
// A block's buffers kept for reuse at most this large (1.5 KB a block).
constexpr std::size_t kKeptPoints = 64;

std::size_t WeightOf(const BlockReadResult& read)
{
    return read.block.heights.size() * 128 + 2 * read.block.title.size() + read.fault.size() + 256;
}

class StringSink final : public LineSink {
public:
    explicit StringSink(std::string& text) : text_(text) {}
    void writeLine(std::string_view line) override
    {
        text_.append(line);
        text_.append("\r\n");
    }

private:
    std::string& text_;
};

class CollectedRejection final : public RejectionSink {
public:
    void blockRejected(const BlockRejection& rejection) override { last = rejection; }
    BlockRejection last{};
};

class Pipeline {
public:
    Pipeline(LineSource& input, const EvaluationSettings& settings, const ParallelEvaluationOptions& options)
        : input_(input), settings_(settings), options_(options)
    {
    }

    void run(OrderedBlockResults& results)
    {
        unsigned workers = options_.workers != 0 ? options_.workers : std::thread::hardware_concurrency();
        workers = std::max(1u, workers);
        std::vector<std::thread> threads;
        try {
            for (unsigned k = 0; k < workers; ++k)
                threads.emplace_back([this] { guarded([this] { evaluate(); }); });
            threads.emplace_back([this] { guarded([this] { read(); }); });
        } catch (const std::system_error&) {
            // No threads to be had: before anything was read, so this thread does it all.
            stop();
            for (std::thread& thread : threads)
                thread.join();
            runHere(results);
            return;
        }
        try {
            deliver(results);
        } catch (...) {
            fail(std::current_exception());
        }
        stop();
        for (std::thread& thread : threads)
            thread.join();
        if (error_)
            std::rethrow_exception(error_);
    }

private:
    template <typename Work>
    void guarded(Work work)
    {
        try {
            work();
        } catch (...) {
            fail(std::current_exception());
        }
    }

    void fail(std::exception_ptr error)
    {
        {
            const std::lock_guard lock(mutex_);
            if (!error_)
                error_ = std::move(error);
            stopped_ = true;
        }
        wakeAll();
    }

    void stop()
    {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        wakeAll();
    }

    void wakeAll()
    {
        roomForReader_.notify_all();
        workForWorkers_.notify_all();
        resultReady_.notify_all();
    }

    std::unique_ptr<Batch> freshBatch()
    {
        const std::lock_guard lock(mutex_);
        if (spare_.empty())
            return std::make_unique<Batch>();
        auto batch = std::move(spare_.back());
        spare_.pop_back();
        return batch;
    }

    // Hands a batch to the workers once the batches in flight leave room for it.
    bool publish(std::unique_ptr<Batch> batch)
    {
        std::unique_lock lock(mutex_);
        roomForReader_.wait(lock, [&] {
            return stopped_ || inOrder_.empty() || inFlightWeight_ + batch->weight <= options_.inFlightBytes;
        });
        if (stopped_)
            return false;
        inFlightWeight_ += batch->weight;
        waiting_.push_back(batch.get());
        inOrder_.push_back(std::move(batch));
        lock.unlock();
        workForWorkers_.notify_one();
        return true;
    }

    void read()
    {
        std::uint64_t blockNumber = 0;
        auto batch = freshBatch();
        batch->firstBlockNumber = 1;
        for (;;) {
            {
                const std::lock_guard lock(mutex_);
                if (stopped_)
                    return;
            }
            if (input_.atEnd())
                break;
            BlockReadResult& read = batch->nextRead();
            ReadObstacleBlock(input_, read);
            ++blockNumber;
            batch->inputFailed.push_back(options_.inputFailed && options_.inputFailed());
            batch->weight += WeightOf(read);
            if (batch->weight >= options_.batchBytes) {
                if (!publish(std::move(batch)))
                    return;
                batch = freshBatch();
                batch->firstBlockNumber = blockNumber + 1;
            }
        }
        if (batch->readCount != 0 && !publish(std::move(batch)))
            return;
        {
            const std::lock_guard lock(mutex_);
            readingDone_ = true;
        }
        wakeAll();
    }

    void evaluate()
    {
        for (;;) {
            Batch* batch = nullptr;
            {
                std::unique_lock lock(mutex_);
                workForWorkers_.wait(lock, [&] { return stopped_ || !waiting_.empty() || readingDone_; });
                if (stopped_ || waiting_.empty())
                    return;
                batch = waiting_.front();
                waiting_.pop_front();
            }
            evaluateBatch(*batch);
            {
                const std::lock_guard lock(mutex_);
                batch->evaluated = true;
            }
            resultReady_.notify_one();
        }
    }

    void evaluateBatch(Batch& batch) const
    {
        StringSink sink(batch.sections);
        batch.entries.resize(batch.readCount);
        for (std::size_t k = 0; k < batch.readCount; ++k) {
            CollectedRejection rejection;
            Batch::Entry& entry = batch.entries[k];
            entry.outcome = EvaluateBlock(batch.reads[k], sink, settings_, rejection);
            entry.sectionEnd = batch.sections.size();
            entry.rejection = std::move(rejection.last);
            // The numbers are no longer needed; the section is what waits now. Small
            // buffers stay for the next batch, those of a large block go.
            if (batch.reads[k].block.heights.capacity() > kKeptPoints)
                batch.reads[k] = BlockReadResult{};
        }
    }

    // One block after the other on the calling thread, the same way.
    void runHere(OrderedBlockResults& results)
    {
        Batch batch;
        for (std::uint64_t blockNumber = 1; !input_.atEnd(); ++blockNumber) {
            batch.clear();
            ReadObstacleBlock(input_, batch.nextRead());
            batch.inputFailed.push_back(options_.inputFailed && options_.inputFailed());
            evaluateBatch(batch);
            if (!results.blockDone(resultOf(batch, 0, blockNumber, 0)) || !results.sectionsDone())
                return;
        }
    }

    static OrderedBlockResult resultOf(const Batch& batch, std::size_t k, std::uint64_t blockNumber,
                                       std::size_t sectionStart)
    {
        const Batch::Entry& entry = batch.entries[k];
        OrderedBlockResult result;
        result.blockNumber = blockNumber;
        result.outcome = entry.outcome;
        result.section = std::string_view(batch.sections).substr(sectionStart, entry.sectionEnd - sectionStart);
        result.rejection = entry.outcome == BlockOutcome::Rejected ? &entry.rejection : nullptr;
        result.inputFailedWhenRead = batch.inputFailed[k];
        return result;
    }

    void deliver(OrderedBlockResults& results)
    {
        for (;;) {
            std::unique_ptr<Batch> batch;
            {
                std::unique_lock lock(mutex_);
                resultReady_.wait(lock, [&] {
                    return stopped_ || (!inOrder_.empty() && inOrder_.front()->evaluated)
                        || (readingDone_ && inOrder_.empty());
                });
                if (stopped_ || inOrder_.empty())
                    return;
                batch = std::move(inOrder_.front());
                inOrder_.pop_front();
            }
            bool goOn = true;
            std::size_t sectionStart = 0;
            for (std::size_t k = 0; k < batch->entries.size() && goOn; ++k) {
                goOn = results.blockDone(resultOf(*batch, k, batch->firstBlockNumber + k, sectionStart));
                sectionStart = batch->entries[k].sectionEnd;
            }
            goOn = goOn && results.sectionsDone();
            {
                const std::lock_guard lock(mutex_);
                inFlightWeight_ -= batch->weight;
                // Kept for reuse, with its buffers, unless it grew unusually large.
                if (spare_.size() < maxSpare() && batch->sections.capacity() <= 4 * options_.batchBytes) {
                    batch->clear();
                    spare_.push_back(std::move(batch));
                }
            }
            roomForReader_.notify_one();
            if (!goOn)
                return;
        }
    }

    // As many batches as can be in flight at once, so that in steady state every batch
    // is one used before, its buffers already grown to size.
    std::size_t maxSpare() const { return options_.inFlightBytes / std::max<std::size_t>(options_.batchBytes, 1) + 2; }

    LineSource& input_;
    const EvaluationSettings& settings_;
    const ParallelEvaluationOptions& options_;

    std::mutex mutex_;
    std::condition_variable roomForReader_;
    std::condition_variable workForWorkers_;
    std::condition_variable resultReady_;
    std::deque<std::unique_ptr<Batch>> inOrder_; // every batch read and not yet delivered
    std::deque<Batch*> waiting_;                 // those of them no worker has taken yet
    std::vector<std::unique_ptr<Batch>> spare_;
    std::size_t inFlightWeight_ = 0;
    bool readingDone_ = false;
    bool stopped_ = false;
    std::exception_ptr error_;
};

} // namespace

void EvaluateObstacleBlocks(LineSource& input, const EvaluationSettings& settings, OrderedBlockResults& results,
                            const ParallelEvaluationOptions& options)
{
    Pipeline(input, settings, options).run(results);
}

} // namespace passcat
