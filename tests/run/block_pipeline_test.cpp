// Files of many blocks evaluated on several threads against the same file evaluated
// one block at a time: the same bytes, the same rejections in the same order.
#include "engine/parallel_evaluation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "tests/engine/engine_fixture.h"

namespace passcat {
namespace {

// One entry per EvaluateObstacleBlock call, in order.
struct Step {
    BlockOutcome outcome;
    std::string section;
    std::string message;
    std::uint64_t titleLineNumber = 0;
    bool inputFailed = false;

    bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Step& step)
{
    return out << "outcome " << static_cast<int>(step.outcome) << ", " << step.section.size()
               << " section bytes, message \"" << step.message << "\" at line " << step.titleLineNumber
               << (step.inputFailed ? ", input failed" : "");
}

class StepRecorder final : public RejectionSink {
public:
    void blockRejected(const BlockRejection& rejection) override { last = rejection; }
    BlockRejection last{};
};

// The reference: the run's loop, one block after the other on this thread.
std::vector<Step> OneBlockAtATime(std::string_view input, const EvaluationSettings& settings,
                                  std::uint64_t failAfterLine = UINT64_MAX)
{
    TextLineSource source(input);
    std::vector<Step> steps;
    while (!source.atEnd()) {
        TextLineSink sink;
        StepRecorder rejection;
        const BlockOutcome outcome = EvaluateObstacleBlock(source, sink, settings, rejection);
        const bool rejected = outcome == BlockOutcome::Rejected;
        steps.push_back({outcome, sink.text(), rejected ? rejection.last.message : std::string(),
                         rejected ? rejection.last.titleLineNumber : 0, source.lineNumber() > failAfterLine});
    }
    return steps;
}

// Counts what has been read, for a look from the delivering thread.
class CountingSource final : public LineSource {
public:
    explicit CountingSource(std::string_view text) : source_(text) {}
    bool atEnd() override { return source_.atEnd(); }
    std::optional<std::string_view> readLine() override
    {
        auto line = source_.readLine();
        linesRead.store(source_.lineNumber());
        return line;
    }
    std::uint64_t lineNumber() const override { return source_.lineNumber(); }

    std::atomic<std::uint64_t> linesRead{0};

private:
    TextLineSource source_;
};

class Recorder final : public OrderedBlockResults {
public:
    bool blockDone(const OrderedBlockResult& result) override
    {
        if (result.blockNumber != steps.size() + 1)
            outOfOrder = true;
        steps.push_back({result.outcome, std::string(result.section),
                         result.rejection ? result.rejection->message : std::string(),
                         result.rejection ? result.rejection->titleLineNumber : 0, result.inputFailedWhenRead});
        if (onBlock)
            onBlock(result);
        return steps.size() != stopAfter;
    }

    std::vector<Step> steps;
    bool outOfOrder = false;
    std::size_t stopAfter = 0;
    std::function<void(const OrderedBlockResult&)> onBlock;
};

std::string PointLine(double height, double distance, double coef)
{
    return std::to_string(height) + "\t" + std::to_string(distance) + "\t" + std::to_string(coef) + "\r\n";
}

// Blocks of every kind, in random order: accepted ones of 2 to 40 points and a few
// large ones, and rejected ones for each reason, with a broken last block or blank
// lines at the very end now and then.
std::string RandomInput(std::mt19937_64& random, int blocks)
{
    std::uniform_real_distribution<double> rise(-20.0, 120.0);
    std::uniform_real_distribution<double> advance(0.05, 0.9);
    std::uniform_real_distribution<double> coef(1.0, 2.0);
    std::string text;
    for (int b = 0; b < blocks; ++b) {
        const unsigned kind = static_cast<unsigned>(random() % 20);
        text += "Block " + std::to_string(b) + (kind == 0 ? "\twith a tab" : "") + "\r\n";
        std::size_t points = 2 + random() % 39;
        if (kind == 1)
            points = 1500 + random() % 600;
        if (kind == 2)
            points = random() % 2; // too few
        double height = 1000 + static_cast<double>(random() % 2000);
        double distance = 0;
        for (std::size_t i = 0; i < points; ++i) {
            if (kind == 3 && i == points / 2)
                text += "1200 1,5 1\r\n"; // fewer than two TABs
            text += PointLine(height, distance, coef(random));
            height += rise(random);
            distance += advance(random);
        }
        if (kind == 4)
            text += PointLine(500, distance, 1); // ends lower than it starts
        if (kind == 5)
            text += PointLine(height + 100, 0, 1); // ends where it starts
        if (kind != 6 || b + 1 < blocks)
            text += "@@@\r\n";
    }
    if (random() % 3 == 0)
        text += "\r\n  \r\n";
    return text;
}

TEST(ParallelEvaluation, SameSectionsAndRejectionsInTheSameOrder)
{
    std::mt19937_64 random(20261206);
    for (int round = 0; round < 24; ++round) {
        const std::string input = RandomInput(random, 1 + static_cast<int>(random() % 160));
        const auto settings = testing::SettingsFor(static_cast<int>(random() % 6), round % 2 == 1, round % 3 ? '.' : ',');
        const auto expected = OneBlockAtATime(input, settings);
        ParallelEvaluationOptions options;
        options.workers = 1 + static_cast<unsigned>(round % 4);
        // Batches from one block up, and a bound that keeps the reader waiting.
        options.batchBytes = std::size_t{1} << (random() % 16);
        options.inFlightBytes = options.batchBytes * (1 + random() % 4);
        TextLineSource source(input);
        Recorder recorder;
        EvaluateObstacleBlocks(source, settings, recorder, options);
        EXPECT_FALSE(recorder.outOfOrder);
        ASSERT_EQ(recorder.steps.size(), expected.size()) << "round " << round;
        for (std::size_t k = 0; k < expected.size(); ++k)
            ASSERT_EQ(recorder.steps[k], expected[k]) << "round " << round << ", block " << k + 1;
    }
}

TEST(ParallelEvaluation, DefaultOptionsGiveTheSameReport)
{
    std::mt19937_64 random(5);
    const std::string input = RandomInput(random, 800);
    const auto settings = testing::SettingsFor(5, false);
    const auto expected = OneBlockAtATime(input, settings);
    TextLineSource source(input);
    Recorder recorder;
    EvaluateObstacleBlocks(source, settings, recorder);
    EXPECT_EQ(recorder.steps, expected);
}

TEST(ParallelEvaluation, EmptyInputGivesNothing)
{
    TextLineSource source("");
    Recorder recorder;
    EvaluateObstacleBlocks(source, testing::SettingsFor(5, false), recorder);
    EXPECT_TRUE(recorder.steps.empty());
}

TEST(ParallelEvaluation, InputFailureIsToldForTheBlocksReadAfterIt)
{
    std::mt19937_64 random(9);
    const std::string input = RandomInput(random, 200);
    const auto settings = testing::SettingsFor(5, true);
    const std::uint64_t failAfterLine = 1000;
    const auto expected = OneBlockAtATime(input, settings, failAfterLine);
    TextLineSource source(input);
    ParallelEvaluationOptions options;
    options.workers = 2;
    options.batchBytes = 4096;
    options.inputFailed = [&] { return source.lineNumber() > failAfterLine; };
    Recorder recorder;
    EvaluateObstacleBlocks(source, settings, recorder, options);
    EXPECT_EQ(recorder.steps, expected);
}

TEST(ParallelEvaluation, StopsWhenTheReceiverSaysSo)
{
    std::mt19937_64 random(13);
    const std::string input = RandomInput(random, 500);
    const auto settings = testing::SettingsFor(5, false);
    const auto expected = OneBlockAtATime(input, settings);
    ASSERT_GT(expected.size(), 100u);
    TextLineSource source(input);
    ParallelEvaluationOptions options;
    options.workers = 3;
    options.batchBytes = 2048;
    Recorder recorder;
    recorder.stopAfter = 100;
    EvaluateObstacleBlocks(source, settings, recorder, options);
    ASSERT_EQ(recorder.steps.size(), 100u);
    EXPECT_TRUE(std::equal(recorder.steps.begin(), recorder.steps.end(), expected.begin()));
}

TEST(ParallelEvaluation, ReadingStaysWithinTheBoundAhead)
{
    // 2000 blocks of 20 points, 22 lines each.
    std::string input;
    for (int b = 0; b < 2000; ++b) {
        input += "B\r\n";
        for (int i = 0; i < 20; ++i)
            input += PointLine(1000 + 10 * i, 0.5 * i, 1.5);
        input += "@@@\r\n";
    }
    ParallelEvaluationOptions options;
    options.workers = 2;
    options.batchBytes = 8 * 1024;
    options.inFlightBytes = 64 * 1024;
    CountingSource source(input);
    Recorder recorder;
    std::uint64_t mostAhead = 0;
    recorder.onBlock = [&](const OrderedBlockResult& result) {
        const std::uint64_t delivered = result.blockNumber * 22;
        mostAhead = std::max(mostAhead, source.linesRead.load() - delivered);
        // Taking time here lets the reader run ahead as far as it may.
        if (result.blockNumber % 100 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    EvaluateObstacleBlocks(source, testing::SettingsFor(5, false), recorder, options);
    ASSERT_EQ(recorder.steps.size(), 2000u);
    // In flight plus the batch being filled: (64 + 8) KiB of blocks weighing about
    // 2.8 KiB each, 22 lines a block.
    EXPECT_LE(mostAhead, 30u * 22);
}

TEST(ParallelEvaluation, ReceiverExceptionReachesTheCaller)
{
    std::mt19937_64 random(17);
    const std::string input = RandomInput(random, 300);
    TextLineSource source(input);
    ParallelEvaluationOptions options;
    options.batchBytes = 1024;
    Recorder recorder;
    recorder.onBlock = [](const OrderedBlockResult& result) {
        if (result.blockNumber == 50)
            throw std::runtime_error("receiver failed");
    };
    EXPECT_THROW(EvaluateObstacleBlocks(source, testing::SettingsFor(5, false), recorder, options),
                 std::runtime_error);
    EXPECT_EQ(recorder.steps.size(), 50u);
}

} // namespace
} // namespace passcat
