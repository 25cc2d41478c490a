#include "run/block_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/block_reader.h"
#include "run/block_batch.h"

namespace passcat {
namespace {

// One block after the other on the calling thread.
void EvaluateHere(LineSource& input, const EvaluationSettings& settings, EvaluatedBatches& batches,
                  const PipelineOptions& options)
{
    BlockBatch batch;
    for (std::uint64_t blockNumber = 1; !input.atEnd(); ++blockNumber) {
        batch.clear();
        ReadObstacleBlock(input, batch.nextRead());
        batch.inputFailed.push_back(options.inputFailed && options.inputFailed());
        EvaluateBatch(batch, settings);
        batch.evaluated.firstBlockNumber = blockNumber;
        if (!batches.batchDone(batch.evaluated))
            return;
    }
}

// One thread reads and batches the blocks, the workers evaluate the batches, and
// the calling thread hands them over in file order. A worker with a large block lends
// its surface sums to idle workers, so blocks and sums share one set of threads: the
// reader and threads - 1 workers, the reader joining them once the input is read.
class Pipeline final : public WorkSharing {
public:
    Pipeline(LineSource& input, const EvaluationSettings& settings, const PipelineOptions& options)
        : input_(input), settings_(settings), options_(options)
    {
        settings_.sharing = this;
    }

    // False when no thread could be started: nothing has been read then. The reader
    // comes first, so that any thread started means the input gets read.
    bool run(EvaluatedBatches& batches, unsigned threads)
    {
        std::vector<std::thread> started;
        try {
            started.emplace_back([this] { guarded([this] { read(); evaluate(); }); });
            for (unsigned k = 1; k < threads; ++k)
                started.emplace_back([this] { guarded([this] { evaluate(); }); });
        } catch (const std::system_error&) {
            if (started.empty())
                return false;
        }
        try {
            deliver(batches);
        } catch (...) {
            fail(std::current_exception());
        }
        stop();
        for (std::thread& thread : started)
            thread.join();
        if (error_)
            std::rethrow_exception(error_);
        return true;
    }

    void share(unsigned helpers, const std::function<void()>& work) override
    {
        HelpRequest request{&work, helpers, 0};
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(&request);
        }
        workForWorkers_.notify_all();
        work();
        std::unique_lock lock(mutex_);
        std::erase(requests_, &request);
        helpDone_.wait(lock, [&] { return request.running == 0; });
    }

private:
    struct HelpRequest {
        const std::function<void()>* work;
        unsigned open;    // helpers still wanted
        unsigned running; // helpers at it now
    };

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

    std::unique_ptr<BlockBatch> freshBatch()
    {
        const std::lock_guard lock(mutex_);
        if (spare_.empty())
            return std::make_unique<BlockBatch>();
        auto batch = std::move(spare_.back());
        spare_.pop_back();
        return batch;
    }

    // Hands a batch to the workers once the batches in flight leave room for it.
    bool publish(std::unique_ptr<BlockBatch> batch)
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
        batch->evaluated.firstBlockNumber = 1;
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
            batch->weight += WaitingWeightOf(read);
            if (batch->weight >= options_.batchBytes) {
                if (!publish(std::move(batch)))
                    return;
                batch = freshBatch();
                batch->evaluated.firstBlockNumber = blockNumber + 1;
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

    // Helps with a large block where one asks for it, else evaluates the next batch.
    void evaluate()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            workForWorkers_.wait(lock, [&] {
                return stopped_ || !waiting_.empty() || openRequest() != nullptr || (readingDone_ && evaluating_ == 0);
            });
            if (HelpRequest* request = openRequest(); request != nullptr && !stopped_) {
                --request->open;
                ++request->running;
                lock.unlock();
                (*request->work)();
                lock.lock();
                if (--request->running == 0)
                    helpDone_.notify_all();
                continue;
            }
            if (stopped_ || waiting_.empty())
                return; // nothing left to read, evaluate or help with
            BlockBatch* batch = waiting_.front();
            waiting_.pop_front();
            ++evaluating_;
            lock.unlock();
            EvaluateBatch(*batch, settings_);
            lock.lock();
            batch->done = true;
            resultReady_.notify_one();
            if (--evaluating_ == 0 && readingDone_)
                workForWorkers_.notify_all();
        }
    }

    HelpRequest* openRequest() const
    {
        for (HelpRequest* request : requests_) {
            if (request->open != 0)
                return request;
        }
        return nullptr;
    }

    void deliver(EvaluatedBatches& batches)
    {
        for (;;) {
            std::unique_ptr<BlockBatch> batch;
            {
                std::unique_lock lock(mutex_);
                resultReady_.wait(lock, [&] {
                    return stopped_ || (!inOrder_.empty() && inOrder_.front()->done) || (readingDone_ && inOrder_.empty());
                });
                if (stopped_ || inOrder_.empty())
                    return;
                batch = std::move(inOrder_.front());
                inOrder_.pop_front();
            }
            const bool goOn = batches.batchDone(batch->evaluated);
            {
                const std::lock_guard lock(mutex_);
                inFlightWeight_ -= batch->weight;
                // Kept for reuse, with its buffers, unless it grew unusually large.
                if (spare_.size() < maxSpare() && batch->evaluated.sections.capacity() <= 4 * options_.batchBytes) {
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
    EvaluationSettings settings_;
    const PipelineOptions& options_;

    std::mutex mutex_;
    std::condition_variable roomForReader_;
    std::condition_variable workForWorkers_;
    std::condition_variable resultReady_;
    std::condition_variable helpDone_;
    std::deque<std::unique_ptr<BlockBatch>> inOrder_; // every batch read and not yet delivered
    std::deque<BlockBatch*> waiting_;                 // those of them no worker has taken yet
    std::vector<std::unique_ptr<BlockBatch>> spare_;
    std::vector<HelpRequest*> requests_;         // large blocks whose sums may take helpers
    std::size_t inFlightWeight_ = 0;
    unsigned evaluating_ = 0; // batches being evaluated now
    bool readingDone_ = false;
    bool stopped_ = false;
    std::exception_ptr error_;
};

} // namespace

void EvaluateInputBlocks(LineSource& input, const EvaluationSettings& settings, EvaluatedBatches& batches,
                         const PipelineOptions& options)
{
    const unsigned threads = options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    if (threads > 1 && Pipeline(input, settings, options).run(batches, threads))
        return;
    EvaluateHere(input, settings, batches, options);
}

} // namespace passcat
