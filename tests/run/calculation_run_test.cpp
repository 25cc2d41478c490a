#include "shell/calculation_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/messages.h"
#include "platform/text_encoding.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/file_helpers.h"
#include "tests/support/worked_example.h"

#ifdef __linux__
#include "tests/support/file_size_limit.h"
#endif

namespace passcat {
namespace {

using testing::EntriesOf;
using testing::ReadFileBytes;
using testing::WriteFileBytes;
using testing::WorkedExampleReportUtf8;
using testing::kWorkedExampleInput;

// Everything a run shows, in order: "busy on", "busy off", or the message's kind.
class RecordingObserver final : public RunObserver {
public:
    void setBusy(bool busy) override { events.push_back(busy ? "busy on" : "busy off"); }

    void showMessage(const RunMessage& message) override
    {
        static const char* const kKinds[] = {"BlockRejected", "MissingInput", "RunFailed"};
        events.push_back(kKinds[static_cast<int>(message.kind)]);
        messages.push_back(message);
    }

    std::vector<std::string> events;
    std::vector<RunMessage> messages;
};

using Events = std::vector<std::string>;

std::string AfterFirstLine(std::string_view text)
{
    return std::string(text.substr(text.find("\r\n") + 2));
}

constexpr std::string_view kOldResult = "the previous report\r\n";

// A block that ends lower than it starts: six lines, like the worked example.
constexpr std::string_view kDescentBlock = "Спуск\r\n3900\t0\t1\r\n3600\t2\t1\r\n3100\t6\t1\r\n@@@\r\n";

class CalculationRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        settings_.inputPath = dir_.filePath("in.txt");
        settings_.resultPath = dir_.filePath("rez.txt");
    }

    RunOutcome run() { return PerformCalculationRun(settings_, options_, observer_); }

    QTemporaryDir dir_;
    RunSettings settings_;
    RunOptions options_;
    RecordingObserver observer_;
};

struct EncodingCase {
    const char* name;
    std::string title;           // UTF-8
    bool cp1251Input;            // the input file is written in Windows-1251
    ReportEncoding encoding;     // as asked for
    TextEncoding expectedLabels; // what the labels must come out in
};

// Test listings show the case's name, not its bytes.
[[maybe_unused]] void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.name; }

class WorkedExampleRun : public CalculationRunTest,
                         public ::testing::WithParamInterface<std::tuple<EncodingCase, char>> {};

// The title is written back as read; only the labels follow the encoding.
TEST_P(WorkedExampleRun, ReportByteForByte)
{
    const auto& [c, separator] = GetParam();
    const std::string title = c.cp1251Input ? Utf8ToCp1251(c.title) : c.title;
    std::string body = AfterFirstLine(kWorkedExampleInput);
    WriteFileBytes(settings_.inputPath, title + "\r\n" + (c.cp1251Input ? Utf8ToCp1251(body) : body));
    options_.encoding = c.encoding;
    options_.decimalSeparator = separator;

    EXPECT_EQ(run(), RunOutcome::AllAccepted);

    const std::string sectionBody = AfterFirstLine(WorkedExampleReportUtf8(separator));
    const std::string expected =
        title + "\r\n" + (c.expectedLabels == TextEncoding::Cp1251 ? Utf8ToCp1251(sectionBody) : sectionBody);
    EXPECT_EQ(ReadFileBytes(settings_.resultPath), expected);
    EXPECT_EQ(observer_.events, (Events{"busy on", "busy off"}));
    EXPECT_EQ(EntriesOf(dir_.path()), (QStringList{"in.txt", "rez.txt"}));
}

const EncodingCase kEncodingCases[] = {
    {"Cp1251InputAuto", "Пример 1", true, ReportEncoding::Auto, TextEncoding::Cp1251},
    {"Utf8InputAuto", "Пример 1", false, ReportEncoding::Auto, TextEncoding::Utf8},
    {"AsciiInputAuto", "Example 1", false, ReportEncoding::Auto, SystemTextEncoding()},
    {"Cp1251AskedOnUtf8Input", "Пример 1", false, ReportEncoding::Cp1251, TextEncoding::Cp1251},
    {"Utf8AskedOnCp1251Input", "Пример 1", true, ReportEncoding::Utf8, TextEncoding::Utf8},
};

INSTANTIATE_TEST_SUITE_P(Encodings, WorkedExampleRun,
                         ::testing::Combine(::testing::ValuesIn(kEncodingCases), ::testing::Values('.', ',')),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == ',' ? "Comma" : "Point");
                         });

TEST_F(CalculationRunTest, RegionAndWeightingReachTheEvaluation)
{
    const std::string input = "пер. Высокий\r\n4200\t0\t1.2\r\n4700\t2.5\t1.6\r\n5300\t4\t2\r\n5600\t5,5\t1.4\r\n@@@\r\n"
                              "пер. Низкий\r\n1800\t0\t1\r\n2100\t1.5\t1.1\r\n2600\t3\t1.3\r\n@@@\r\n";
    WriteFileBytes(settings_.inputPath, input);
    options_.encoding = ReportEncoding::Utf8;
    std::set<std::string> distinctReports;
    for (int region = 0; region < kRegionCount; ++region) {
        for (const bool byLength : {false, true}) {
            settings_.regionIndex = region;
            settings_.interpolationByLength = byLength;
            ASSERT_EQ(run(), RunOutcome::AllAccepted);
            const std::string report = ReadFileBytes(settings_.resultPath);
            EXPECT_EQ(report, testing::EvaluateText(input, testing::SettingsFor(region, byLength)).report)
                << "region " << region << ", by length " << byLength;
            distinctReports.insert(report);
        }
    }
    EXPECT_GT(distinctReports.size(), 2u) << "the input does not tell the settings apart";
}

TEST_F(CalculationRunTest, RejectedBlockBetweenTwoGoodOnes)
{
    WriteFileBytes(settings_.inputPath,
                   std::string(kWorkedExampleInput) + std::string(kDescentBlock) + std::string(kWorkedExampleInput));

    EXPECT_EQ(run(), RunOutcome::SomeRejected);

    EXPECT_EQ(ReadFileBytes(settings_.resultPath), WorkedExampleReportUtf8() + WorkedExampleReportUtf8());
    EXPECT_EQ(observer_.events, (Events{"busy on", "BlockRejected", "busy off"}));
    ASSERT_EQ(observer_.messages.size(), 1u);
    EXPECT_EQ(observer_.messages[0].text, QString::fromUtf8(messages::kEndNotHigher));
    EXPECT_EQ(observer_.messages[0].blockNumber, 2);
    EXPECT_EQ(observer_.messages[0].titleLineNumber, 7);
}

TEST_F(CalculationRunTest, InputsWithoutAnyAcceptedBlockLeaveAnEmptyResult)
{
    const struct {
        const char* name;
        std::string input;
        RunOutcome outcome;
        Events events;
    } cases[] = {
        {"empty", "", RunOutcome::AllAccepted, {"busy on", "busy off"}},
        {"blank lines only", "\r\n \t\r\n\r\n", RunOutcome::AllAccepted, {"busy on", "busy off"}},
        {"all rejected", std::string(kDescentBlock) + std::string(kDescentBlock), RunOutcome::SomeRejected,
         {"busy on", "BlockRejected", "BlockRejected", "busy off"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(settings_.inputPath, c.input);
        WriteFileBytes(settings_.resultPath, kOldResult);
        observer_.events.clear();
        EXPECT_EQ(run(), c.outcome);
        EXPECT_EQ(ReadFileBytes(settings_.resultPath), "");
        EXPECT_EQ(observer_.events, c.events);
    }
}

TEST_F(CalculationRunTest, BlankLinesAfterTheLastBlockAreIgnored)
{
    WriteFileBytes(settings_.inputPath, std::string(kWorkedExampleInput) + "\r\n\r\n  \r\n");
    EXPECT_EQ(run(), RunOutcome::AllAccepted);
    EXPECT_EQ(ReadFileBytes(settings_.resultPath), WorkedExampleReportUtf8());
    EXPECT_EQ(observer_.events, (Events{"busy on", "busy off"}));
}

TEST_F(CalculationRunTest, MissingInputIsReportedAndNothingIsTouched)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    const QString cases[] = {
        dir_.filePath("missing.txt"),
        "",
        dir_.filePath("folder"),
        dir_.filePath("missing folder/in.txt"),
    };
    for (const QString& input : cases) {
        SCOPED_TRACE(input.toStdString());
        for (const bool resultExists : {false, true}) {
            QFile::remove(settings_.resultPath);
            if (resultExists)
                WriteFileBytes(settings_.resultPath, kOldResult);
            settings_.inputPath = input;
            observer_ = {};

            EXPECT_EQ(run(), RunOutcome::Failed);

            EXPECT_EQ(observer_.events, (Events{"busy on", "busy off", "MissingInput"}));
            ASSERT_EQ(observer_.messages.size(), 1u);
            EXPECT_EQ(observer_.messages[0].text, "Ошибка: не найден файл " + input);
            if (resultExists) {
                EXPECT_EQ(ReadFileBytes(settings_.resultPath), kOldResult);
            }
            EXPECT_EQ(EntriesOf(dir_.path()),
                      resultExists ? QStringList({"folder", "rez.txt"}) : QStringList({"folder"}));
        }
    }
}

// A run that fails before or while writing keeps both files as they were and
// leaves no temporary file.
class FailedRunTest : public CalculationRunTest {
protected:
    void SetUp() override
    {
        CalculationRunTest::SetUp();
        WriteFileBytes(settings_.inputPath, kWorkedExampleInput);
        WriteFileBytes(settings_.resultPath, kOldResult);
        entriesBefore_ = EntriesOf(dir_.path());
    }

    // The run failed with one message containing the given text.
    void expectFailedRun(RunOutcome outcome, const QString& messagePart)
    {
        EXPECT_EQ(outcome, RunOutcome::Failed);
        EXPECT_EQ(observer_.events, (Events{"busy on", "busy off", "RunFailed"}));
        ASSERT_EQ(observer_.messages.size(), 1u);
        EXPECT_TRUE(observer_.messages[0].text.startsWith("Ошибка: ")) << observer_.messages[0].text.toStdString();
        EXPECT_TRUE(observer_.messages[0].text.contains(messagePart)) << observer_.messages[0].text.toStdString();
        EXPECT_EQ(EntriesOf(dir_.path()), entriesBefore_);
        EXPECT_EQ(ReadFileBytes(dir_.filePath("in.txt")), kWorkedExampleInput);
        EXPECT_EQ(ReadFileBytes(dir_.filePath("rez.txt")), kOldResult);
    }

    QStringList entriesBefore_;
};

TEST_F(FailedRunTest, ResultNamingTheInputIsRefused)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(settings_.inputPath, dir_.filePath("link.txt")));
    entriesBefore_ = EntriesOf(dir_.path());
    const QString input = settings_.inputPath;
    const QString cases[] = {
        input,
        dir_.path() + "/./in.txt",
        dir_.path() + "/sub/../in.txt",
        dir_.filePath("link.txt"),
    };
    for (const QString& result : cases) {
        SCOPED_TRACE(result.toStdString());
        settings_.resultPath = result;
        observer_ = {};
        expectFailedRun(run(), result);
    }
    // The same through the link given as the input.
    settings_.inputPath = dir_.filePath("link.txt");
    settings_.resultPath = input;
    observer_ = {};
    expectFailedRun(run(), input);
}

TEST_F(FailedRunTest, ResultThatCannotBeCreated)
{
    const QString cases[] = {dir_.filePath("missing/rez.txt"), dir_.path(), ""};
    for (const QString& result : cases) {
        SCOPED_TRACE(result.toStdString());
        settings_.resultPath = result;
        observer_ = {};
        expectFailedRun(run(), "не удалось создать файл результата " + result);
    }
}

#ifdef __linux__
TEST_F(FailedRunTest, InputThatCannotBeRead)
{
    settings_.inputPath = "/proc/self/mem"; // opens, but reading address 0 fails
    for (const ReportEncoding encoding : {ReportEncoding::Auto, ReportEncoding::Cp1251}) {
        options_.encoding = encoding;
        observer_ = {};
        expectFailedRun(run(), "не удалось прочитать файл /proc/self/mem");
    }
}

TEST_F(FailedRunTest, WriteThatFailsPartWay)
{
    // A few blocks fail when the report is committed; thousands fail while the
    // report is still being written.
    for (const int blocks : {100, 5000}) {
        SCOPED_TRACE(blocks);
        std::string input;
        for (int i = 0; i < blocks; ++i)
            input += kWorkedExampleInput;
        WriteFileBytes(settings_.inputPath, input);
        observer_ = {};
        RunOutcome outcome;
        {
            const testing::FileSizeLimit limit(16 * 1024);
            outcome = run();
        }
        EXPECT_EQ(outcome, RunOutcome::Failed);
        EXPECT_EQ(observer_.events, (Events{"busy on", "busy off", "RunFailed"}));
        ASSERT_EQ(observer_.messages.size(), 1u);
        EXPECT_TRUE(observer_.messages[0].text.startsWith("Ошибка: не удалось записать файл результата"));
        EXPECT_EQ(EntriesOf(dir_.path()), entriesBefore_);
        EXPECT_EQ(ReadFileBytes(settings_.resultPath), kOldResult);
    }
}
#endif

} // namespace
} // namespace passcat
