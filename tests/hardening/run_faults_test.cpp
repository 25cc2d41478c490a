// Faults of the file system around a calculation run, on real files: through
// PerformCalculationRun and through the passcat-cli program. Whatever goes wrong, the
// run says so in one message that begins "Ошибка: ", passcat-cli ends with status 2,
// the busy state ends before the message, the input and the previous result stay byte
// for byte as they were, and no temporary file is left behind.
#include "shell/calculation_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "tests/hardening/child_process.h"
#include "tests/support/file_helpers.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/worked_example.h"

namespace passcat {
namespace {

using testing::ChildOptions;
using testing::ChildResult;
using testing::EntriesOf;
using testing::ReadFileBytes;
using testing::WriteFileBytes;
using testing::WorkedExampleReportUtf8;
using testing::kWorkedExampleInput;

constexpr std::string_view kOldResult = "the previous report\r\n";
constexpr std::string_view kDescentBlock = "Спуск\r\n3900\t0\t1\r\n3100\t6\t1\r\n@@@\r\n";

const char* KindName(RunMessage::Kind kind)
{
    switch (kind) {
    case RunMessage::Kind::BlockRejected:
        return "BlockRejected";
    case RunMessage::Kind::MissingInput:
        return "MissingInput";
    case RunMessage::Kind::RunFailed:
        break;
    }
    return "RunFailed";
}

const char* OutcomeName(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::AllAccepted:
        return "AllAccepted";
    case RunOutcome::SomeRejected:
        return "SomeRejected";
    case RunOutcome::Failed:
        break;
    }
    return "Failed";
}

// What a run showed, in order: "busy on", "busy off", or a message as "Kind: text".
struct RunRecord {
    std::string outcome;
    std::vector<std::string> events;
    std::vector<std::string> messages; // the texts alone
};

class RecordingObserver final : public RunObserver {
public:
    void setBusy(bool busy) override { record.events.push_back(busy ? "busy on" : "busy off"); }
    void showMessage(const RunMessage& message) override
    {
        record.events.push_back(KindName(message.kind));
        record.messages.push_back(message.text.toStdString());
        if (onMessage)
            onMessage(message);
    }
    void inputFound() override
    {
        if (onInputFound)
            onInputFound();
    }

    RunRecord record;
    std::function<void()> onInputFound;
    std::function<void(const RunMessage&)> onMessage;
};

RunRecord RunInProcess(const RunSettings& settings, RecordingObserver& observer)
{
    RunOptions options;
    options.encoding = ReportEncoding::Auto;
    observer.record.outcome = OutcomeName(PerformCalculationRun(settings, options, observer));
    return observer.record;
}

// The run in a forked process as an unprivileged user, its record passed back as lines.
RunRecord RunUnprivileged(const RunSettings& settings)
{
    const ChildResult child = testing::RunForked(
        [&settings](std::ostream& out) {
            RecordingObserver observer;
            const RunRecord record = RunInProcess(settings, observer);
            out << record.outcome << '\n';
            for (std::size_t i = 0, m = 0; i < record.events.size(); ++i) {
                const bool message = record.events[i] != "busy on" && record.events[i] != "busy off";
                out << record.events[i] << (message ? "\t" + record.messages[m++] : "") << '\n';
            }
            return 0;
        },
        {.unprivileged = true, .workingDirectory = {}});
    RunRecord record;
    EXPECT_TRUE(child.exited && child.exitCode == 0) << "the unprivileged run ended abnormally: " << child.err;
    std::istringstream lines(child.out);
    std::getline(lines, record.outcome);
    for (std::string line; std::getline(lines, line);) {
        const auto tab = line.find('\t');
        record.events.push_back(line.substr(0, tab));
        if (tab != std::string::npos)
            record.messages.push_back(line.substr(tab + 1));
    }
    return record;
}

// The bytes of a regular file (opening a named pipe would wait for a writer).
std::optional<std::string> BytesIfReadable(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

bool StartsWith(const std::string& text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

// The files of one case and what must not change about them.
struct Scene {
    QString input;
    QString result;
    QStringList folders; // their entries must stay as they were
};

struct FaultCase {
    const char* name;
    // Sets the files up in folder (which holds in.txt and rez.txt already); returns
    // why the case cannot run here, if it cannot.
    std::function<std::optional<std::string>(Scene&, const QString& folder)> arrange;
    bool unprivileged;
    RunMessage::Kind kind;
    std::string messageStart; // "" for "Ошибка: не найден файл " + the input path
};

class RunFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        // Unprivileged children must reach the files.
        ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    }

    // A folder of its own for a case, with the input and a previous result.
    QString caseFolder(const char* name)
    {
        const QString folder = dir_.filePath(QString::fromUtf8(name).replace(' ', '_'));
        EXPECT_TRUE(QDir().mkpath(folder));
        WriteFileBytes(folder + "/in.txt", std::string(kWorkedExampleInput) + std::string(kWorkedExampleInput));
        WriteFileBytes(folder + "/rez.txt", kOldResult);
        return folder;
    }

    // Runs the case through the run and through passcat-cli, and checks both.
    void check(const FaultCase& c)
    {
        SCOPED_TRACE(c.name);
        const QString folder = caseFolder(c.name);
        Scene scene{folder + "/in.txt", folder + "/rez.txt", {folder}};
        if (const auto reason = c.arrange(scene, folder)) {
            skipped_.push_back(std::string(c.name) + ": " + *reason);
            return;
        }
        if (c.unprivileged && !testing::CanRunUnprivileged()) {
            skipped_.push_back(std::string(c.name) + ": running as root and no user \"nobody\" to run as");
            return;
        }
        const auto inputBefore = BytesIfReadable(scene.input);
        const auto resultBefore = BytesIfReadable(scene.result);
        std::map<QString, QStringList> entriesBefore;
        for (const QString& f : scene.folders)
            entriesBefore[f] = EntriesOf(f);
        const std::string expectedStart = c.messageStart.empty()
            ? "Ошибка: не найден файл " + scene.input.toStdString()
            : c.messageStart;

        const auto expectFilesUnchanged = [&](const char* route) {
            SCOPED_TRACE(route);
            EXPECT_EQ(BytesIfReadable(scene.input), inputBefore);
            EXPECT_EQ(BytesIfReadable(scene.result), resultBefore);
            for (const QString& f : scene.folders)
                EXPECT_EQ(EntriesOf(f), entriesBefore[f]) << f.toStdString();
        };

        RunSettings settings{scene.input, scene.result, kDefaultRegionIndex, false};
        RecordingObserver observer;
        const RunRecord record = c.unprivileged ? RunUnprivileged(settings) : RunInProcess(settings, observer);
        EXPECT_EQ(record.outcome, "Failed");
        EXPECT_EQ(record.events, (std::vector<std::string>{"busy on", "busy off", KindName(c.kind)}));
        ASSERT_EQ(record.messages.size(), 1u);
        EXPECT_TRUE(StartsWith(record.messages[0], "Ошибка: ")) << record.messages[0];
        EXPECT_TRUE(StartsWith(record.messages[0], expectedStart)) << record.messages[0];
        expectFilesUnchanged("PerformCalculationRun");

        const ChildResult cli = testing::RunProgram(
            PASSCAT_CLI_PATH, {"-o", scene.result.toStdString(), scene.input.toStdString()},
            {.unprivileged = c.unprivileged, .workingDirectory = {}});
        EXPECT_TRUE(cli.exited) << "signal " << cli.signal;
        EXPECT_EQ(cli.exitCode, 2) << cli.err;
        EXPECT_TRUE(StartsWith(cli.err, expectedStart)) << cli.err;
        EXPECT_EQ(cli.err.find('\n'), cli.err.size() - 1) << "one line: " << cli.err;
        EXPECT_EQ(cli.out, "");
        expectFilesUnchanged("passcat-cli");
    }

    void TearDown() override
    {
        // Give the folders back their permissions, so that they can be removed.
        for (const QString& f : QDir(dir_.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            chmod(QFile::encodeName(dir_.filePath(f)).constData(), 0755);
        for (const std::string& reason : skipped_)
            std::cout << "[ SKIPPED  ] " << reason << std::endl;
        if (!skipped_.empty() && skipped_.size() == cases_)
            GTEST_SKIP() << "every case was skipped";
    }

    void checkAll(const std::vector<FaultCase>& cases)
    {
        cases_ = cases.size();
        for (const FaultCase& c : cases)
            check(c);
    }

    QTemporaryDir dir_;
    std::vector<std::string> skipped_;
    std::size_t cases_ = 0;
};

std::optional<std::string> Ok() { return std::nullopt; }

std::optional<std::string> Fails(const char* what) { return std::string("cannot ") + what; }

TEST_F(RunFaults, ResultThatCannotBeWritten)
{
    const std::string cannotCreate = "Ошибка: не удалось создать файл результата ";
    checkAll({
        {"result folder missing",
         [](Scene& s, const QString& folder) {
             s.result = folder + "/missing/rez.txt";
             return Ok();
         },
         false, RunMessage::Kind::RunFailed, cannotCreate},
        {"result folder not writable",
         [](Scene& s, const QString& folder) {
             const QString out = folder + "/out";
             QDir().mkdir(out);
             WriteFileBytes(out + "/rez.txt", kOldResult);
             s.result = out + "/rez.txt";
             s.folders.push_back(out);
             return chmod(QFile::encodeName(out).constData(), 0555) == 0 ? Ok() : Fails("chmod");
         },
         true, RunMessage::Kind::RunFailed, cannotCreate},
        {"result folder on a read-only file system",
         [](Scene& s, const QString&) {
             s.result = "/proc/passcat-rez.txt";
             return QFileInfo("/proc/self").exists() ? Ok() : Fails("find /proc");
         },
         false, RunMessage::Kind::RunFailed, cannotCreate},
        {"result path names a folder",
         [](Scene& s, const QString& folder) {
             s.result = folder;
             return Ok();
         },
         false, RunMessage::Kind::RunFailed, cannotCreate},
    });
}

TEST_F(RunFaults, ResultNamingTheInput)
{
    const std::string same = "Ошибка: файл результата ";
    const auto spelled = [](const char* tail) {
        return [tail](Scene& s, const QString& folder) {
            s.result = folder + tail;
            return Ok();
        };
    };
    checkAll({
        {"same path", spelled("/in.txt"), false, RunMessage::Kind::RunFailed, same},
        {"dot", spelled("/./in.txt"), false, RunMessage::Kind::RunFailed, same},
        {"double slash", spelled("//in.txt"), false, RunMessage::Kind::RunFailed, same},
        {"dot dot",
         [](Scene& s, const QString& folder) {
             QDir().mkdir(folder + "/sub");
             s.result = folder + "/sub/../in.txt";
             return Ok();
         },
         false, RunMessage::Kind::RunFailed, same},
        {"symbolic link to the input",
         [](Scene& s, const QString& folder) {
             s.result = folder + "/link.txt";
             return QFile::link(s.input, s.result) ? Ok() : Fails("make a symbolic link");
         },
         false, RunMessage::Kind::RunFailed, same},
        {"input through a symbolic link",
         [](Scene& s, const QString& folder) {
             s.result = s.input;
             s.input = folder + "/link.txt";
             return QFile::link(s.result, s.input) ? Ok() : Fails("make a symbolic link");
         },
         false, RunMessage::Kind::RunFailed, same},
        {"symbolic link to the folder",
         [](Scene& s, const QString& folder) {
             s.result = folder + "/folder link/in.txt";
             return QFile::link(folder, folder + "/folder link") ? Ok() : Fails("make a symbolic link");
         },
         false, RunMessage::Kind::RunFailed, same},
        {"hard link",
         [](Scene& s, const QString& folder) {
             s.result = folder + "/hard.txt";
             return link(QFile::encodeName(s.input).constData(), QFile::encodeName(s.result).constData()) == 0
                 ? Ok()
                 : Fails("make a hard link");
         },
         false, RunMessage::Kind::RunFailed, same},
    });
}

TEST_F(RunFaults, InputThatIsNoReadableFile)
{
    checkAll({
        {"input names a folder",
         [](Scene& s, const QString& folder) {
             s.input = folder + "/data";
             return QDir().mkdir(s.input) ? Ok() : Fails("make a folder");
         },
         false, RunMessage::Kind::MissingInput, ""},
        {"input is a symbolic link to a folder",
         [](Scene& s, const QString& folder) {
             s.input = folder + "/data";
             return QFile::link(folder, s.input) ? Ok() : Fails("make a symbolic link");
         },
         false, RunMessage::Kind::MissingInput, ""},
        {"input is a dangling symbolic link",
         [](Scene& s, const QString& folder) {
             s.input = folder + "/dangling";
             return QFile::link(folder + "/nowhere", s.input) ? Ok() : Fails("make a symbolic link");
         },
         false, RunMessage::Kind::MissingInput, ""},
        {"input is a named pipe",
         [](Scene& s, const QString& folder) {
             s.input = folder + "/pipe";
             return mkfifo(QFile::encodeName(s.input).constData(), 0644) == 0 ? Ok() : Fails("make a named pipe");
         },
         false, RunMessage::Kind::MissingInput, ""},
        {"input without read permission",
         [](Scene& s, const QString&) {
             return chmod(QFile::encodeName(s.input).constData(), 0) == 0 ? Ok() : Fails("chmod");
         },
         true, RunMessage::Kind::RunFailed, "Ошибка: не удалось открыть файл "},
        {"input in a folder that cannot be searched",
         [](Scene& s, const QString& folder) {
             const QString closed = folder + "/closed";
             QDir().mkdir(closed);
             WriteFileBytes(closed + "/in.txt", kWorkedExampleInput);
             s.input = closed + "/in.txt";
             return chmod(QFile::encodeName(closed).constData(), 0700) == 0 ? Ok() : Fails("chmod");
         },
         true, RunMessage::Kind::MissingInput, ""},
    });
}

// A file system of 64 KiB, mounted for this process only: the report of many blocks
// does not fit on it, and the write fails part-way with "no space left".
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& mountPoint) : mountPoint_(QFile::encodeName(mountPoint).toStdString())
    {
        if (unshare(CLONE_NEWNS) != 0) {
            reason_ = "no mount namespace of its own (unshare: " + std::string(strerror(errno)) + ")";
            return;
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("passcat-test", mountPoint_.c_str(), "tmpfs", 0, "size=64k,mode=0777") != 0) {
            reason_ = "cannot mount a small tmpfs: " + std::string(strerror(errno));
            return;
        }
        mounted_ = true;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            umount2(mountPoint_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // Why the file system could not be mounted; nothing when it is.
    const std::optional<std::string>& reason() const { return reason_; }

private:
    std::string mountPoint_;
    bool mounted_ = false;
    std::optional<std::string> reason_;
};

TEST_F(RunFaults, WriteThatFailsPartWayOnAFullFileSystem)
{
    const QString small = dir_.filePath("small");
    ASSERT_TRUE(QDir().mkdir(small));
    const SmallFileSystem fileSystem(small);
    if (fileSystem.reason())
        GTEST_SKIP() << *fileSystem.reason();
    checkAll({
        {"report larger than the file system",
         [&small](Scene& s, const QString& folder) {
             std::string input;
             for (int i = 0; i < 300; ++i)
                 input += kWorkedExampleInput;
             WriteFileBytes(s.input, input);
             WriteFileBytes(small + "/rez.txt", std::string(1000, 'x'));
             s.result = small + "/rez.txt";
             s.folders = {folder, small};
             return Ok();
         },
         false, RunMessage::Kind::RunFailed, "Ошибка: не удалось записать файл результата "},
        {"file system already full",
         [&small](Scene& s, const QString& folder) {
             WriteFileBytes(small + "/rez.txt", std::string(1000, 'x'));
             // Fill what is left, to the last block.
             const int filler = open(QFile::encodeName(small + "/filler").constData(), O_WRONLY | O_CREAT, 0644);
             const std::string block(4096, 'f');
             while (write(filler, block.data(), block.size()) > 0) {
             }
             const std::string byte(1, 'f');
             while (write(filler, byte.data(), 1) > 0) {
             }
             close(filler);
             s.result = small + "/rez.txt";
             s.folders = {folder, small};
             return Ok();
         },
         false, RunMessage::Kind::RunFailed, "Ошибка: не удалось записать файл результата "},
    });
}

// A report small enough to be written only when the run completes: the failure of
// that last write must be seen, and the previous result kept.
TEST(SmallReport, WriteThatFailsWhenTheRunCompletes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const RunSettings settings{dir.filePath("in.txt"), dir.filePath("rez.txt"), kDefaultRegionIndex, false};
    WriteFileBytes(settings.inputPath, std::string(kWorkedExampleInput) + std::string(kWorkedExampleInput));
    WriteFileBytes(settings.resultPath, kOldResult);
    for (const rlim_t limit : {0, 100, 1000}) {
        SCOPED_TRACE(limit);
        RecordingObserver observer;
        RunRecord record;
        {
            const testing::FileSizeLimit sizeLimit(limit);
            record = RunInProcess(settings, observer);
        }
        EXPECT_EQ(record.outcome, "Failed");
        ASSERT_EQ(record.messages.size(), 1u);
        EXPECT_TRUE(StartsWith(record.messages[0], "Ошибка: не удалось записать файл результата ")) << record.messages[0];
        EXPECT_EQ(ReadFileBytes(settings.resultPath), kOldResult);
        EXPECT_EQ(EntriesOf(dir.path()), (QStringList{"in.txt", "rez.txt"}));
    }
}

// Changes to the input between the test for its existence and its reading, and while
// it is being read: the run reports what it met and never writes a torn section.
class InputChangedDuringRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        settings_ = {dir_.filePath("in.txt"), dir_.filePath("rez.txt"), kDefaultRegionIndex, false};
        WriteFileBytes(settings_.resultPath, kOldResult);
    }

    QTemporaryDir dir_;
    RunSettings settings_;
};

TEST_F(InputChangedDuringRun, BetweenTheExistenceTestAndTheOpening)
{
    const std::string twoBlocks = std::string(kWorkedExampleInput) + std::string(kWorkedExampleInput);
    const std::string report = WorkedExampleReportUtf8();
    const struct {
        const char* name;
        std::function<void(const QString& input)> change;
        const char* outcome;
        std::vector<std::string> events;
        std::string messageStart;
        std::optional<std::string> result; // nothing: the previous result stays
    } cases[] = {
        {"deleted", [](const QString& input) { QFile::remove(input); }, "Failed",
         {"busy on", "busy off", "RunFailed"}, "Ошибка: не удалось открыть файл ", std::nullopt},
        {"replaced by a folder",
         [](const QString& input) {
             QFile::remove(input);
             QDir().mkdir(input);
         },
         "Failed", {"busy on", "busy off", "RunFailed"}, "Ошибка: не удалось ", std::nullopt},
        {"truncated to nothing", [](const QString& input) { WriteFileBytes(input, ""); }, "AllAccepted",
         {"busy on", "busy off"}, "", ""},
        {"truncated inside the second block",
         [&twoBlocks](const QString& input) { WriteFileBytes(input, twoBlocks.substr(0, twoBlocks.size() - 20)); },
         "SomeRejected", {"busy on", "BlockRejected", "busy off"}, "Ошибка: ", report},
        {"replaced by another file",
         [](const QString& input) { WriteFileBytes(input, std::string(kWorkedExampleInput) + std::string(kDescentBlock)); },
         "SomeRejected", {"busy on", "BlockRejected", "busy off"}, std::string(messages::kEndNotHigher), report},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(settings_.inputPath).removeRecursively();
        QFile::remove(settings_.inputPath);
        WriteFileBytes(settings_.inputPath, twoBlocks);
        WriteFileBytes(settings_.resultPath, kOldResult);
        RecordingObserver observer;
        QStringList entriesAfterChange;
        observer.onInputFound = [&] {
            c.change(settings_.inputPath);
            entriesAfterChange = EntriesOf(dir_.path());
        };

        const RunRecord record = RunInProcess(settings_, observer);

        EXPECT_EQ(record.outcome, c.outcome);
        EXPECT_EQ(record.events, c.events);
        for (const std::string& message : record.messages)
            EXPECT_TRUE(StartsWith(message, c.messageStart)) << message;
        EXPECT_EQ(ReadFileBytes(settings_.resultPath), c.result.value_or(std::string(kOldResult)));
        EXPECT_EQ(EntriesOf(dir_.path()), entriesAfterChange);
    }
}

TEST_F(InputChangedDuringRun, ReplacedByANamedPipeBeforeTheOpening)
{
    // Opening a pipe that nobody writes to would wait for ever: the run must not.
    const ChildResult child = testing::RunForked([this](std::ostream& out) {
        alarm(20);
        WriteFileBytes(settings_.inputPath, kWorkedExampleInput);
        RecordingObserver observer;
        observer.onInputFound = [this] {
            QFile::remove(settings_.inputPath);
            mkfifo(QFile::encodeName(settings_.inputPath).constData(), 0644);
        };
        const RunRecord record = RunInProcess(settings_, observer);
        out << record.outcome << '\n';
        for (const std::string& message : record.messages)
            out << message << '\n';
        return 0;
    });
    ASSERT_TRUE(child.exited) << "the run did not end (signal " << child.signal << ")";
    EXPECT_TRUE(StartsWith(child.out, "Failed\nОшибка: ")) << child.out;
    EXPECT_EQ(ReadFileBytes(settings_.resultPath), kOldResult);
    EXPECT_EQ(EntriesOf(dir_.path()), (QStringList{"in.txt", "rez.txt"}));
}

TEST_F(InputChangedDuringRun, WhileItIsRead)
{
    // A rejected block first, then enough blocks for several reads of the file: the
    // message of the first block is where the input changes.
    constexpr int kBlocks = 40000;
    std::string input(kDescentBlock);
    for (int i = 0; i < kBlocks; ++i)
        input += kWorkedExampleInput;
    const std::string section = WorkedExampleReportUtf8();
    const struct {
        const char* name;
        std::function<void(const QString& input)> change;
        std::size_t keptBytes; // of the input, as it can still be read
    } cases[] = {
        {"deleted", [](const QString& path) { QFile::remove(path); }, input.size()},
        {"truncated in the middle of a line",
         [&input](const QString& path) { ASSERT_EQ(truncate(QFile::encodeName(path).constData(), 2'000'010), 0); },
         2'000'010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(settings_.inputPath, input);
        WriteFileBytes(settings_.resultPath, kOldResult);
        RecordingObserver observer;
        bool changed = false;
        observer.onMessage = [&](const RunMessage&) {
            if (!std::exchange(changed, true))
                c.change(settings_.inputPath);
        };

        const RunRecord record = RunInProcess(settings_, observer);

        // The report holds whole sections of the blocks read, and says when one was cut.
        ASSERT_EQ(record.outcome, "SomeRejected");
        const std::string report = ReadFileBytes(settings_.resultPath);
        ASSERT_EQ(report.size() % section.size(), 0u);
        const std::size_t sections = report.size() / section.size();
        for (std::size_t i = 0; i < sections; ++i)
            ASSERT_EQ(report.compare(i * section.size(), section.size(), section), 0) << "section " << i;
        const std::size_t wholeBlocks = (c.keptBytes - kDescentBlock.size()) / kWorkedExampleInput.size();
        EXPECT_TRUE(sections == kBlocks || sections == wholeBlocks) << sections;
        EXPECT_EQ(record.messages.size(), sections == kBlocks ? 1u : 2u);
        for (const std::string& message : record.messages)
            EXPECT_TRUE(StartsWith(message, "Ошибка: ")) << message;
        QFile::remove(settings_.inputPath);
        EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"rez.txt"});
    }
}

} // namespace
} // namespace passcat
