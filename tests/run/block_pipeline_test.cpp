// The pipeline against EvaluateObstacleBlock called one block at a time: the same
// sections, rejections and failure flags in the same order, whatever the threads.
#include "platform/native_path.h"
#include "run/block_pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <thread>

#include "engine/text_lines.h"

using namespace passcat;

constexpr std::uint64_t kFailAfterLine = 20000; // the input's failure probe says true past it

// A line a block (place, outcome, section size, failure flag, rejection), then the sections.
struct Evaluated {
    std::string blocks, sections;
    void add(std::uint64_t number, const BlockEvaluation& block, std::size_t bytes, bool failed)
    {
        blocks += std::to_string(number) + ' ' + std::to_string(static_cast<int>(block.outcome)) + ' ' + std::to_string(bytes)
            + (failed ? " failed " : " ")
            + (block.summary.rejection ? std::to_string(block.summary.titleLineNumber) + ' ' + *block.summary.rejection : "") + '\n';
    }
    std::string all() const { return blocks + sections; }
};

static Evaluated OneBlockAtATime(std::string_view text, const EvaluationSettings& settings)
{
    TextLineSource source(text);
    TextLineSink sink;
    Evaluated result;
    for (std::uint64_t number = 1; !source.atEnd(); ++number) {
        const std::size_t before = sink.text().size();
        const BlockEvaluation block = EvaluateObstacleBlock(source, sink, settings);
        result.add(number, block, sink.text().size() - before, source.lineNumber() > kFailAfterLine);
    }
    result.sections = sink.takeText();
    return result;
}

// Evaluates text through the pipeline: the input, which throws at line throwAt, and
// the receiver of its batches, which stops after stopAfter of them.
struct PipelineRun final : LineSource, EvaluatedBatches {
    PipelineRun(std::string_view text, const EvaluationSettings& settings, PipelineOptions options, int stopAfter = 0,
                std::uint64_t throwAt = 0)
        : source(text), stopAfter(stopAfter), throwAt(throwAt)
    {
        options.inputFailed = [this] { return source.lineNumber() > kFailAfterLine; };
        EvaluateInputBlocks(*this, settings, *this, options);
    }
    bool atEnd() override { return source.atEnd(); }
    std::uint64_t lineNumber() const override { return source.lineNumber(); }
    std::optional<std::string_view> readLine() override
    {
        return source.lineNumber() + 1 == throwAt ? throw std::runtime_error("read failed") : source.readLine();
    }
    bool batchDone(EvaluatedBatch& batch) override
    {
        std::uint64_t number = batch.firstBlockNumber;
        std::size_t end = 0;
        for (const EvaluatedBatch::Block& block : batch.blocks)
            got.add(number++, block.evaluation, block.sectionEnd - std::exchange(end, block.sectionEnd), block.inputFailedWhenRead);
        if (end != batch.sections.size() || std::this_thread::get_id() != caller)
            got.blocks += "a batch whose sections do not add up, or on another thread\n";
        got.sections += batch.sections;
        return ++batches != stopAfter;
    }

    TextLineSource source;
    int stopAfter, batches = 0;
    std::uint64_t throwAt;
    std::thread::id caller = std::this_thread::get_id();
    Evaluated got;
};

// A block at random: kind 2 and 3 are rejected, kind 4 lacks its end line.
static std::string Block(std::mt19937& random, std::size_t points, unsigned kind)
{
    std::string text = "Pass " + std::to_string(random() % 1000) + "\r\n";
    for (double i = 0, height = 1000, distance = 0; i < static_cast<double>(points); ++i) {
        text += std::to_string(height) + '\t' + std::to_string(distance) + "\t1." + std::to_string(random() % 10) + "\r\n";
        height += static_cast<double>(random() % 140) - 20;
        distance += 0.05 + static_cast<double>(random() % 90) / 100;
    }
    return text + (kind == 2 ? "no tabs\r\n" : kind == 3 ? "500\t0\t1\r\n" : "") + (kind == 4 ? "" : "@@@\r\n");
}

TEST(BlockPipeline, SameAsOneBlockAtATime)
{
    // Thousands of blocks of 1 to 40 points and a few of up to 2000, rejected ones between.
    std::mt19937 random(2024);
    std::string text;
    for (int b = 0; b < 3000; ++b) {
        const unsigned kind = random() % 100;
        text += Block(random, kind == 0 ? 1500 + random() % 500 : kind == 1 ? 1 : 2 + random() % 38, b == 2999 ? 4 : kind % 10);
    }
    text += "\r\n \r\n";
    const PipelineOptions cases[] = {{1, 1, 1, {}}, {2, 1, 1, {}}, {2, 2048, 8192, {}}, {4, 300, 1000, {}}, {4, 4096, 65536, {}}};
    for (const SurfaceWeighting weighting : {SurfaceWeighting::ByHeight, SurfaceWeighting::ByLength}) {
        const EvaluationSettings settings{.tables = LoadReferenceTables(weighting == SurfaceWeighting::ByLength ? 4 : 3), .weighting = weighting,
                                          .format = {','}};
        const Evaluated expected = OneBlockAtATime(text, settings);
        for (const PipelineOptions& options : cases) {
            SCOPED_TRACE(::testing::Message() << options.threads << " threads, batches of " << options.batchBytes);
            const PipelineRun run(text, settings, options);
            EXPECT_EQ(run.got.blocks, expected.blocks);
            EXPECT_TRUE(run.got.sections == expected.sections);
            const PipelineRun stopped(text, settings, options, 3);
            EXPECT_TRUE(stopped.batches == 3 && expected.blocks.starts_with(stopped.got.blocks)) << "when told to stop";
            EXPECT_THROW((PipelineRun{text, settings, options, 0, 5000}), std::runtime_error);
        }
    }
}

// Blocks whose surface sums take helpers, from the pipeline's own threads alone.
TEST(BlockPipeline, LargeBlocksShareTheThreads)
{
    std::mt19937 random(3);
    const std::string text = Block(random, 5000, 0) + Block(random, 5000, 0) + Block(random, 5000, 0);
    const EvaluationSettings settings{.tables = LoadReferenceTables(0), .weighting = SurfaceWeighting::ByLength, .format = {}};
    const Evaluated expected = OneBlockAtATime(text, settings);
    EXPECT_TRUE(PipelineRun(text, settings, {4, 1, 1, {}}).got.all() == expected.all());
    // A folder a thread, where the system has it (Windows has not: under wine it is the host's).
    const std::filesystem::path tasks = "/proc/self/task";
    if (!FileNamesAreBytes() || !std::filesystem::is_directory(tasks))
        GTEST_SKIP() << "no " << tasks << " to count the threads in";
    const auto threads = [&tasks] { return std::distance(std::filesystem::directory_iterator(tasks), {}); };
    std::atomic<bool> done = false;
    auto most = threads() + 1, before = most; // the counter's own thread included
    std::thread counter([&] {
        for (; !done; std::this_thread::sleep_for(std::chrono::microseconds(100)))
            most = std::max(most, threads());
    });
    EXPECT_TRUE(PipelineRun(text, settings, {2, 1, 1, {}}).got.all() == expected.all());
    done = true;
    counter.join();
    EXPECT_EQ(most, before + 2) << "threads beyond the reader and one worker, or none seen";
}
