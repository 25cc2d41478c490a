// A whole run over a file of many blocks, whose blocks are evaluated on several
// threads, against the same file evaluated one block at a time on one thread: the
// same report bytes, the same messages in the same order, all shown on the run's
// own thread.
#include "shell/calculation_run.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/text_lines.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/file_helpers.h"

namespace passcat {
namespace {

struct Shown {
    int blockNumber;
    qint64 titleLineNumber;
    std::string text;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown)
{
    return out << "block " << shown.blockNumber << ", line " << shown.titleLineNumber << ": " << shown.text;
}

class RecordingObserver final : public RunObserver {
public:
    void setBusy(bool) override {}
    void showMessage(const RunMessage& message) override
    {
        if (std::this_thread::get_id() != runThread)
            wrongThread = true;
        if (message.kind == RunMessage::Kind::BlockRejected)
            shown.push_back({message.blockNumber, message.titleLineNumber, message.text.toStdString()});
        else
            other.push_back(message.text.toStdString());
    }

    std::thread::id runThread = std::this_thread::get_id();
    bool wrongThread = false;
    std::vector<Shown> shown;
    std::vector<std::string> other;
};

class Collected final : public RejectionSink {
public:
    void blockRejected(const BlockRejection& rejection) override
    {
        shown.push_back({calls, static_cast<qint64>(rejection.titleLineNumber), rejection.message});
    }
    int calls = 0;
    std::vector<Shown> shown;
};

// The expected result: the classic loop, one block per call, messages as they come.
std::pair<std::string, std::vector<Shown>> OneBlockAtATime(std::string_view input, const EvaluationSettings& settings)
{
    TextLineSource source(input);
    TextLineSink sink;
    Collected rejections;
    while (!source.atEnd()) {
        ++rejections.calls;
        EvaluateObstacleBlock(source, sink, settings, rejections);
    }
    return {sink.takeText(), rejections.shown};
}

std::string Line(double height, double distance, double coef)
{
    return std::to_string(height) + "\t" + std::to_string(distance) + "\t" + std::to_string(coef) + "\r\n";
}

// Thousands of blocks, mostly accepted, some rejected for various reasons, a few
// large ones that are summed on several threads themselves.
std::string ManyBlocks(std::mt19937_64& random)
{
    std::uniform_real_distribution<double> rise(-10.0, 90.0);
    std::uniform_real_distribution<double> advance(0.01, 0.7);
    std::string text;
    for (int b = 0; b < 4000; ++b) {
        const unsigned kind = static_cast<unsigned>(random() % 50);
        text += "Pass " + std::to_string(b) + "\r\n";
        const std::size_t points = kind == 0 ? 1600 + random() % 400 : 2 + random() % 30;
        double height = 1500, distance = 0;
        for (std::size_t i = 0; i < points; ++i) {
            text += Line(height, distance, 1 + static_cast<double>(random() % 10) / 10);
            height += rise(random);
            distance += advance(random);
        }
        if (kind == 1)
            text += Line(1000, distance + 1, 1); // ends lower than it starts
        if (kind == 2)
            text += "no tabs here\r\n";
        text += "@@@\r\n";
    }
    return text;
}

TEST(ParallelRun, SameReportAndSameMessagesInTheSameOrderAsOneBlockAtATime)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::mt19937_64 random(31);
    const std::string input = ManyBlocks(random);
    testing::WriteFileBytes(dir.filePath("in.txt"), input);

    for (const bool byLength : {false, true}) {
        RunSettings settings;
        settings.inputPath = dir.filePath("in.txt");
        settings.resultPath = dir.filePath("rez.txt");
        settings.regionIndex = 3;
        settings.interpolationByLength = byLength;
        RunOptions options;
        options.decimalSeparator = ',';
        options.encoding = ReportEncoding::Utf8;
        RecordingObserver observer;
        EXPECT_EQ(PerformCalculationRun(settings, options, observer), RunOutcome::SomeRejected);

        const auto [report, shown] = OneBlockAtATime(input, testing::SettingsFor(3, byLength, ','));
        EXPECT_EQ(testing::ReadFileBytes(settings.resultPath), report) << (byLength ? "by length" : "by height");
        EXPECT_TRUE(observer.other.empty());
        EXPECT_FALSE(observer.wrongThread);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(observer.shown, shown);
    }
}

} // namespace
} // namespace passcat
