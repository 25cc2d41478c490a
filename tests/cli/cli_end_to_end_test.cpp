#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/messages.h"
#include "platform/text_encoding.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/file_helpers.h"
#include "tests/support/worked_example.h"

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

namespace passcat {
namespace {

using testing::EntriesOf;
using testing::ReadFileBytes;
using testing::WriteFileBytes;
using testing::WorkedExampleReportUtf8;
using testing::kWorkedExampleInput;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct CliEnvironment {
    QString workingDirectory;
    QString locale = "C"; // LC_ALL of the child: the default decimal separator
    std::function<void()> childSetup;
};

CliRun RunCli(const QStringList& arguments, const CliEnvironment& environment = {})
{
    QProcess process;
    process.setProgram(PASSCAT_CLI_PATH);
    process.setArguments(arguments);
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert("LC_ALL", environment.locale);
    process.setProcessEnvironment(variables);
    if (!environment.workingDirectory.isEmpty())
        process.setWorkingDirectory(environment.workingDirectory);
#ifdef __linux__
    if (environment.childSetup)
        process.setChildProcessModifier(environment.childSetup);
#endif
    process.start();
    CliRun run;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "passcat-cli did not finish normally: " << process.errorString().toStdString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

const std::string kCp1251Input = Utf8ToCp1251(kWorkedExampleInput);

class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        WriteFileBytes(inputPath(), kCp1251Input);
    }
    QString inputPath() const { return dir_.filePath("passes.txt"); }
    QString resultPath() const { return dir_.filePath("rez.txt"); }

    QTemporaryDir dir_;
};

TEST_F(CliEndToEnd, WorkedExampleGoesToRezTxtBesideTheInput)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    WriteFileBytes(dir_.filePath("sub/in.txt"), kCp1251Input);
    const struct {
        QStringList arguments;
        QString workingDirectory;
        QString report;
    } cases[] = {
        {{inputPath()}, {}, resultPath()},
        {{"passes.txt"}, dir_.path(), resultPath()},
        {{"sub/in.txt"}, dir_.path(), dir_.filePath("sub/rez.txt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(c.arguments, {c.workingDirectory, "C", {}});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadFileBytes(c.report), Utf8ToCp1251(WorkedExampleReportUtf8()));
        QFile::remove(c.report);
    }
}

TEST_F(CliEndToEnd, DecimalSeparatorFromTheOptionElseTheLocale)
{
    const struct {
        QStringList options;
        QString locale;
        char separator;
    } cases[] = {
        {{"--decimal-separator", ","}, "C", ','},
        {{"--decimal-separator", "."}, "ru_RU.UTF-8", '.'},
        {{}, "ru_RU.UTF-8", ','},
        {{}, "de_DE.UTF-8", ','},
        {{}, "en_US.UTF-8", '.'},
        {{}, "C", '.'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.options.join(' ') + " LC_ALL=" + c.locale).toStdString());
        const CliRun run = RunCli(c.options + QStringList{inputPath()}, {{}, c.locale, {}});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadFileBytes(resultPath()), Utf8ToCp1251(WorkedExampleReportUtf8(c.separator)));
    }
}

TEST_F(CliEndToEnd, SettingsReachTheReport)
{
    const std::string input = "пер. Высокий\r\n4200\t0\t1.2\r\n4700\t2.5\t1.6\r\n5300\t4\t2\r\n5600\t5,5\t1.4\r\n@@@\r\n";
    WriteFileBytes(inputPath(), input);
    const CliRun run = RunCli({"-r", "3", "-w", "length", "--encoding", "utf-8", "-o", dir_.filePath("out.txt"),
                               inputPath()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(dir_.filePath("out.txt")), testing::EvaluateText(input, testing::SettingsFor(3, true)).report);
    EXPECT_FALSE(QFile::exists(resultPath()));
}

TEST_F(CliEndToEnd, RejectedBlockGivesStatusOneAndItsMessage)
{
    const std::string descent = "Спуск\r\n3900\t0\t1\r\n3100\t6\t1\r\n@@@\r\n";
    WriteFileBytes(inputPath(), std::string(kWorkedExampleInput) + descent + std::string(kWorkedExampleInput));
    const CliRun run = RunCli({inputPath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "блок 2, строка 7: " + std::string(messages::kEndNotHigher) + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes(resultPath()), WorkedExampleReportUtf8() + WorkedExampleReportUtf8());
}

TEST_F(CliEndToEnd, MissingInputGivesStatusTwoAndCreatesNothing)
{
    const QString missing = dir_.filePath("нет такого.txt");
    const CliRun run = RunCli({missing});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Ошибка: не найден файл " + missing.toStdString() + "\n");
    EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"passes.txt"});
}

TEST_F(CliEndToEnd, FailedRunsGiveStatusTwoAndKeepTheFiles)
{
    constexpr std::string_view kOldResult = "old\r\n";
    WriteFileBytes(resultPath(), kOldResult);
    struct Case {
        const char* name;
        QStringList arguments;
        std::string messageStart;
    };
    std::vector<Case> cases = {
        {"result folder missing", {"-o", dir_.filePath("missing/rez.txt"), inputPath()},
         "Ошибка: не удалось создать файл результата"},
        {"result is the input", {"-o", dir_.path() + "/./passes.txt", inputPath()}, "Ошибка: файл результата"},
    };
#ifdef __linux__
    cases.push_back({"input cannot be read", {"-o", resultPath(), "/proc/self/mem"},
                     "Ошибка: не удалось прочитать файл /proc/self/mem"});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind(c.messageStart, 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
        EXPECT_EQ(ReadFileBytes(inputPath()), kCp1251Input);
        EXPECT_EQ(ReadFileBytes(resultPath()), kOldResult);
        EXPECT_EQ(EntriesOf(dir_.path()), (QStringList{"passes.txt", "rez.txt"}));
    }
}

#ifdef __linux__
TEST_F(CliEndToEnd, WriteThatFailsPartWayKeepsTheOldResult)
{
    constexpr std::string_view kOldResult = "old\r\n";
    WriteFileBytes(resultPath(), kOldResult);
    std::string input;
    for (int i = 0; i < 5000; ++i)
        input += kCp1251Input;
    WriteFileBytes(inputPath(), input);
    // In the child only: its files cannot grow past 16 KiB, so writing the report fails.
    const auto limitFileSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 16 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    const CliRun run = RunCli({inputPath()}, {{}, "C", limitFileSize});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("Ошибка: не удалось записать файл результата", 0), 0u) << run.err;
    EXPECT_EQ(ReadFileBytes(resultPath()), kOldResult);
    EXPECT_EQ(EntriesOf(dir_.path()), (QStringList{"passes.txt", "rez.txt"}));
}
#endif

TEST_F(CliEndToEnd, BadArgumentsGiveStatusTwoAndTouchNothing)
{
    const QStringList cases[] = {
        {},
        {inputPath(), inputPath()},
        {"-r", "6", inputPath()},
        {"-r", "x", inputPath()},
        {"-w", "slope", inputPath()},
        {"--encoding", "latin1", inputPath()},
        {"--decimal-separator", ";", inputPath()},
        {"--bogus", inputPath()},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("Ошибка: ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"passes.txt"});
    }
}

TEST_F(CliEndToEnd, InformationOptions)
{
    const CliRun regions = RunCli({"--list-regions"});
    EXPECT_EQ(regions.exitCode, 0);
    EXPECT_EQ(regions.err, "");
    EXPECT_EQ(regions.out, "0\tКаваказ, Альпы\n1\tСибирь, Сев. Урал\n2\tЗаполярье\n"
                           "3\tПамир, Тянь-Шань, Каракорум\n4\tГималаи, Анды\n5\tПрочее\n");

    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "passcat-cli 1.0.0\n");

    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--decimal-separator"), std::string::npos) << help.out;
    EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"passes.txt"});
}

// The sample shipped with the program: every pass in it is accepted.
TEST(CliExample, EveryPassOfTheSampleIsRated)
{
    QTemporaryDir dir;
    const QString example = PASSCAT_EXAMPLES_DIR "/passes.txt";
    const QString result = dir.filePath("rez.txt");
    const CliRun run = RunCli({"-o", result, example});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    // One section per block, and the sample is in Windows-1251 as the labels are.
    const std::string input = ReadFileBytes(example);
    const std::string report = ReadFileBytes(result);
    const std::string header = Utf8ToCp1251(testing::kReportHeaderUtf8);
    std::size_t blocks = 0;
    for (std::size_t at = input.find("@@@\r\n"); at != std::string::npos; at = input.find("@@@\r\n", at + 1))
        ++blocks;
    std::size_t sections = 0;
    for (std::size_t at = report.find(header); at != std::string::npos; at = report.find(header, at + 1))
        ++sections;
    EXPECT_GE(blocks, 3u);
    EXPECT_EQ(sections, blocks);
}

} // namespace
} // namespace passcat
