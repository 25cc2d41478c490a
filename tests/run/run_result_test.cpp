// What a run returns: a record of every block, its messages and exit status, and
// rated blocks that, rated again and written again, give the report's very bytes.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "engine/report_writer.h"
#include "engine/text_lines.h"
#include "run/calculation_run.h"
#include "run/profile_with_surfaces.h"
#include "run/run_report.h"

namespace passcat {
namespace {

// The classic example, a block rejected for its end below its start, and a second pass.
const QByteArray kThreeBlocks = "Пример 1\r\n3100\t0\t1.2\r\n3400\t3\t1.5\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n"
                                "Спуск\r\n2000\t0\t1\r\n1800\t1\t1\r\n@@@\r\n"
                                "Перевал 2\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n1700\t2,8\t1,4\r\n@@@\r\n";

struct Presented final : RunPresenter {
    void setBusy(bool busy) override { events.push_back(busy ? "busy on" : "busy off"); }
    void showMessage(const RunMessage& message) override { events.push_back(message.text.toStdString()); }
    std::vector<std::string> events;
};

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Scene {
    QTemporaryDir dir;
    QString input = dir.filePath("in.txt");
    QString result = dir.filePath("rez.txt");
    Presented presented;

    RunResult run(const QByteArray& text, RunSettings settings = {}, ReportFormat format = {})
    {
        QFile file(input);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        settings.resultPath = result;
        return PerformCalculationRun(RunInput::FromPath(input), settings, format, presented);
    }
};

// The sections of the run's rated blocks, each rated again from its points alone.
std::string ReportOfRatedBlocks(const RunResult& run)
{
    TextLineSink sink;
    for (const RunBlock& block : run.blocks) {
        if (!block.rated)
            continue;
        const BlockRating again = RateBlock(block.rated->block, run.evaluation);
        EXPECT_TRUE(again.rated.has_value());
        WriteBlockSection(sink, again.rated->block, again.rated->ratings, run.evaluation.labels, run.evaluation.format);
    }
    return sink.takeText();
}

TEST(RunResult, RecordsEveryBlockAndItsMessagesInOrder)
{
    Scene scene;
    const RunResult run = scene.run(kThreeBlocks);

    EXPECT_EQ(run.outcome, RunOutcome::SomeRejected);
    EXPECT_EQ(run.exitStatus, kExitSomeRejected);
    ASSERT_EQ(run.blocks.size(), 3u);
    const BlockSummary& example = run.blocks[0].summary;
    EXPECT_EQ(example.title, "Пример 1");
    EXPECT_FALSE(example.rejection.has_value());
    EXPECT_EQ(example.length, 6);
    EXPECT_EQ(example.startHeight, 3100);
    EXPECT_EQ(example.endHeight, 3900);
    EXPECT_EQ(example.climb, 800);
    EXPECT_EQ(example.category, 5);
    EXPECT_NEAR(example.score, 7.274667, 1e-6);
    EXPECT_EQ(example.recommendedPoint, 2u);
    EXPECT_EQ(example.recommendedDistance, 4.5);

    const RunBlock& rejected = run.blocks[1];
    EXPECT_EQ(rejected.number, 2u);
    EXPECT_EQ(rejected.summary.title, "Спуск");
    EXPECT_EQ(rejected.summary.titleLineNumber, 7u);
    ASSERT_TRUE(rejected.summary.rejection.has_value());
    EXPECT_TRUE(rejected.summary.rejection->starts_with("Ошибка: "));
    EXPECT_EQ(run.blocks[2].number, 3u);
    EXPECT_EQ(run.blocks[2].summary.climb, 500);

    // Shown as they came, and kept in the same order.
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].kind, RunMessage::Kind::BlockRejected);
    EXPECT_EQ(run.messages[0].text.toStdString(), *rejected.summary.rejection);
    EXPECT_EQ(run.messages[0].blockNumber, 2);
    EXPECT_EQ(scene.presented.events,
              (std::vector<std::string>{"busy on", *rejected.summary.rejection, "busy off"}));
    // Points are kept only when asked for.
    EXPECT_TRUE(std::ranges::none_of(run.blocks, [](const RunBlock& block) { return block.rated != nullptr; }));
}

TEST(RunResult, AFailedRunSaysWhyWithTheFailureStatus)
{
    Scene scene;
    const RunResult run = PerformCalculationRun(RunInput::FromPath(scene.input), {scene.result}, {}, scene.presented);

    EXPECT_EQ(run.outcome, RunOutcome::Failed);
    EXPECT_EQ(run.exitStatus, kExitFailed);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].kind, RunMessage::Kind::MissingInput);
    EXPECT_EQ(scene.presented.events.size(), 3u);
    EXPECT_TRUE(run.blocks.empty());
}

// Rated again and written from the records, in every encoding, separator and weighting.
TEST(RunResult, RatedBlocksWrittenAgainGiveTheReportsBytes)
{
    const struct {
        ReportFormat format;
        SurfaceWeighting weighting;
        int region;
    } cases[] = {
        {{'.', ReportEncoding::Auto}, SurfaceWeighting::ByHeight, kDefaultRegionIndex},
        {{',', ReportEncoding::Cp1251}, SurfaceWeighting::ByLength, 0},
        {{',', ReportEncoding::Utf8}, SurfaceWeighting::ByHeight, 3},
    };
    for (const auto& c : cases) {
        Scene scene;
        const RunResult run = scene.run(kThreeBlocks, {.resultPath = {}, .regionIndex = c.region, .weighting = c.weighting, .keepRatedBlocks = true},
                                        c.format);
        ASSERT_EQ(run.blocks.size(), 3u);
        EXPECT_TRUE(run.blocks[0].rated && !run.blocks[1].rated && run.blocks[2].rated);
        EXPECT_EQ(ReportOfRatedBlocks(run), Bytes(scene.result).toStdString());
        EXPECT_EQ(ReportOfRun(run), Bytes(scene.result).toStdString());
    }
}

// A block whose surfaces were marked anew rates as a file with those surfaces would.
TEST(RunResult, ChangedSurfacesRateAsTheirFile)
{
    Scene scene;
    const RunResult run = scene.run(kThreeBlocks, {.resultPath = {}, .keepRatedBlocks = true});
    ObstacleBlock changed = run.blocks[0].rated->block;
    changed.surfaceCoefs = {1, 1, 1, 1};
    const BlockRating again = RateBlock(changed, run.evaluation);
    ASSERT_TRUE(again.rated.has_value());
    TextLineSink sink;
    WriteBlockSection(sink, again.rated->block, again.rated->ratings, run.evaluation.labels, run.evaluation.format);

    Scene other;
    other.run("Пример 1\r\n3100\t0\t1\r\n3400\t3\t1\r\n3600\t4.5\t1\r\n3900\t6\t1\r\n@@@\r\n");
    EXPECT_EQ(sink.takeText(), Bytes(other.result).toStdString());
    EXPECT_NE(again.summary.category, run.blocks[0].summary.category);
}

// The profile a run kept, written again: only the surfaces changed since are new, each
// the whole last column of its line; every other byte stays, the line ends becoming CR LF.
TEST(RunResult, ProfileWithSurfacesChangesOnlyTheirColumns)
{
    Scene scene;
    RunResult run = scene.run("Пример 1\n3100\t0\tx\t1,20\n3400\t3\t1.5\r\r\n3600\t4.5\t2\n3900\t6\t1\n@@@\n"
                              "Спуск\r\n2000\t0\t1\r\n1800\t1\t1\r\n@@@\r\n"
                              "Перевал 2\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n1700\t2,8\t1,4\r\n@@@\r\n\r\n",
                              {.resultPath = {}, .keepRatedBlocks = true, .keepProfileText = true});
    const std::string kept = "Пример 1\r\n3100\t0\tx\t1,20\r\n3400\t3\t1.5\r\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n"
                             "Спуск\r\n2000\t0\t1\r\n1800\t1\t1\r\n@@@\r\n"
                             "Перевал 2\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n1700\t2,8\t1,4\r\n@@@\r\n\r\n";
    EXPECT_EQ(run.profileText, kept);
    EXPECT_EQ(ProfileWithSurfaces(run), kept);
    for (const auto& [block, point, surface] : {std::tuple{0, 0, 0.1}, {0, 1, 1e-7}, {2, 2, 123456789.123456789}}) {
        auto changed = std::make_shared<RatedBlock>(*run.blocks[block].rated);
        changed->block.surfaceCoefs[point] = surface;
        run.blocks[block].rated = std::move(changed);
    }
    EXPECT_EQ(ProfileWithSurfaces(run),
              "Пример 1\r\n3100\t0\tx\t0.1\r\n3400\t3\t0.0000001\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n"
              "Спуск\r\n2000\t0\t1\r\n1800\t1\t1\r\n@@@\r\n"
              "Перевал 2\r\n1200\t0\t1\r\n1450\t1,5\t1,2\r\n1700\t2,8\t123456789.12345679\r\n@@@\r\n\r\n");
}

} // namespace
} // namespace passcat
