// What an ordinary input file cannot show: faults of the files around a run, and an
// input of ten million points. On a fault passcat-cli says so in one line that begins
// "passcat-cli: Ошибка: " and ends with status 2; the input and the previous result
// stay byte for byte as they were, and no temporary file is left.
#include <QDirIterator>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/input_stream.h"
#include "platform/regular_file.h"


namespace passcat {

const QByteArray kExample = "Пример 1\r\n3100\t0\t1.2\r\n3400\t3\t1.5\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n";
const QByteArray kOldResult = "the previous report\r\n";

static bool Write(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size() && file.flush();
}

// Nothing for what is no readable regular file (opening a named pipe would wait).
static std::optional<QByteArray> Bytes(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

// Every path below a folder, links not followed: a temporary file left behind shows.
static QStringList Tree(const QString& folder)
{
    QStringList paths;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
         it.hasNext();)
        paths << it.next();
    paths.sort();
    return paths;
}

// passcat-cli's status (-1: it did not end by itself within minutes) and all it printed.
// inChild runs in its process before the program starts.
static std::pair<int, std::string> RunCli(const QStringList& arguments, const QString& folder, const std::function<void()>& inChild = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier(inChild);
    process.start(PASSCAT_CLI_PATH, arguments);
    const bool finished = process.waitForFinished(300'000) && process.exitStatus() == QProcess::NormalExit;
    return {finished ? process.exitCode() : -1, process.readAll().toStdString()};
}

// One case's files: the folder holds in.txt (two blocks), rez.txt and sub/.
struct Scene {
    QString folder, input, result;
    QStringList options;
    std::function<void()> inChild;
};

struct Fault {
    const char* name;
    QString input, result;               // in the case's folder unless absolute
    std::function<bool(Scene&)> make;    // false: the fault cannot be made here
    const char* phrase;                  // the message holds it
};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

// Anyone but root meets the permissions already.
static bool AsNobody(Scene& s)
{
    const passwd* nobody = getpwnam("nobody");
    s.inChild = [uid = nobody ? nobody->pw_uid : 0, gid = nobody ? nobody->pw_gid : 0] {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0))
            _exit(125);
    };
    if (geteuid() != 0)
        return true;
    if (nobody == nullptr)
        return false;
    // A checkout in a private folder (mktemp -d) keeps nobody from the program itself.
    const pid_t child = fork();
    if (child == 0) {
        s.inChild();
        _exit(access(PASSCAT_CLI_PATH, X_OK) == 0 ? 0 : 1);
    }
    int status = 0;
    errno = EACCES;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

static std::function<bool(Scene&)> Symlink(const char* target, const char* name)
{
    return [=](Scene& s) { return symlink(target, QFile::encodeName(s.folder + '/' + name)) == 0; };
}

static std::function<bool(Scene&)> Closed(const char* folder, mode_t mode)
{
    return [=](Scene& s) { return chmod(QFile::encodeName(s.folder + '/' + folder), mode) == 0 && AsNobody(s); };
}

// Files that passcat-cli writes cannot grow beyond the limit.
static std::function<bool(Scene&)> FileSizeLimit(rlim_t bytes, int blocks)
{
    return [=](Scene& s) {
        s.inChild = [limit = rlimit{bytes, RLIM_INFINITY}] { std::signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &limit); };
        return Write(s.input, kExample.repeated(blocks));
    };
}

// The result on a tmpfs of 64 KiB in small/, mounted for this process and its children only.
static std::function<bool(Scene&)> SmallFileSystem(bool full)
{
    return [=](Scene& s) {
        const QString small = s.folder + "/small";
        if (!QDir().mkdir(small) || unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("passcat", QFile::encodeName(small), "tmpfs", 0, "size=64k") != 0 || !Write(s.result, kOldResult))
            return false;
        for (int filler = 0; full && Write(small + '/' + QString::number(filler), QByteArray(4096, 'f')); ++filler) {
        }
        return full || Write(s.input, kExample.repeated(5000));
    };
}

class RunFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(RunFaults, FailWithOneMessageAndTouchNothing)
{
    QTemporaryDir dir;
    const auto inside = [&dir](const QString& name) { return name.startsWith('/') ? name : dir.filePath(name); };
    Scene s{dir.path(), inside(GetParam().input), inside(GetParam().result), {}, {}};
    ASSERT_TRUE(chmod(QFile::encodeName(s.folder), 0755) == 0 && QDir(s.folder).mkdir("sub"));
    ASSERT_TRUE(Write(dir.filePath("in.txt"), kExample.repeated(2)) && Write(dir.filePath("rez.txt"), kOldResult));
    if (GetParam().make && !GetParam().make(s))
        GTEST_SKIP() << "cannot be made here: " << strerror(errno);
    const auto input = Bytes(s.input), result = Bytes(s.result);
    const QStringList tree = Tree(s.folder);

    const auto [status, output] = RunCli(s.options + QStringList{"-o", s.result, s.input}, s.folder, s.inChild);

    EXPECT_EQ(status, 2);
    EXPECT_TRUE(output.starts_with("passcat-cli: Ошибка: ") && output.find(GetParam().phrase) != std::string::npos
                && output.find('\n') == output.size() - 1) << output;
    EXPECT_EQ(Bytes(s.input), input);
    EXPECT_EQ(Bytes(s.result), result);
    EXPECT_EQ(Tree(s.folder), tree);
    umount2(QFile::encodeName(s.folder + "/small"), MNT_DETACH);
}

const char* const kCreate = "не удалось создать файл результата ";
const char* const kSame = "совпадает с файлом данных";
const char* const kMissing = "не найден файл ";
const char* const kOpen = "не удалось открыть файл ";
const char* const kRead = "не удалось прочитать файл /proc/self/mem";
const char* const kWrite = "не удалось записать файл результата ";

const Fault kFaults[] = {
    {"ResultFolderNotWritable", "in.txt", "sub/rez.txt",
     [](Scene& s) { return Write(s.result, kOldResult) && Closed("sub", 0555)(s); }, kCreate},
    {"ResultOnReadOnlyProc", "in.txt", "/proc/passcat-rez.txt", {}, kCreate},
    {"ResultIsTheInputThroughDotDot", "in.txt", "sub/../in.txt", {}, kSame},
    {"ResultIsASymlinkToTheInput", "in.txt", "link", Symlink("in.txt", "link"), kSame},
    {"InputIsASymlinkToTheResult", "link", "in.txt", Symlink("in.txt", "link"), kSame},
    {"ResultThroughASymlinkedFolder", "in.txt", "link/in.txt", Symlink(".", "link"), kSame},
    {"ResultIsAHardLinkOfTheInput", "in.txt", "hard",
     [](Scene& s) { return link(QFile::encodeName(s.input), QFile::encodeName(s.result)) == 0; }, kSame},
    {"InputIsASymlinkToAFolder", "link", "rez.txt", Symlink("sub", "link"), kMissing},
    {"InputIsADanglingSymlink", "link", "rez.txt", Symlink("nowhere", "link"), kMissing},
    {"InputUnreadable", "in.txt", "rez.txt", Closed("in.txt", 0), kOpen},
    {"InputInAFolderNobodyMaySearch", "sub/in.txt", "rez.txt",
     [](Scene& s) { return Write(s.input, kExample) && Closed("sub", 0700)(s); }, kMissing},
    {"InputFailsWhileItsTextIsScanned", "/proc/self/mem", "rez.txt", {}, kRead},
    {"InputFailsWhileItIsEvaluated", "/proc/self/mem", "rez.txt",
     [](Scene& s) { s.options = {"--encoding", "cp1251"}; return true; }, kRead},
    {"WriteBeyondTheFileSizeLimitAtTheEnd", "in.txt", "rez.txt", FileSizeLimit(1000, 2), kWrite},
    {"WriteBeyondTheFileSizeLimitPartWay", "in.txt", "rez.txt", FileSizeLimit(16 << 10, 5000), kWrite},
    {"ReportLargerThanTheFileSystem", "in.txt", "small/rez.txt", SmallFileSystem(false), kWrite},
    {"FileSystemFull", "in.txt", "small/rez.txt", SmallFileSystem(true), kWrite},
};

INSTANTIATE_TEST_SUITE_P(Cli, RunFaults, ::testing::ValuesIn(kFaults), [](const auto& info) { return info.param.name; });

// A process's state letter from /proc: R, S or D while it runs, T once a SIGSTOP has
// taken hold.
static char ProcessState(pid_t pid)
{
    const QByteArray stat = Bytes(QStringLiteral("/proc/%1/stat").arg(pid)).value_or("");
    const qsizetype end = stat.lastIndexOf(')'); // the name in parentheses may hold anything
    return end >= 0 && end + 2 < stat.size() ? stat[end + 2] : '?';
}

// A run ended from outside once it writes its report beside the result, by Ctrl+C and
// by a kill: the previous result stays whole. The run is frozen while it is looked
// at, so that it cannot finish between the look and the signal.
TEST(StoppedRun, LeavesThePreviousResultWhole)
{
    for (const int signal : {SIGINT, SIGKILL}) {
        SCOPED_TRACE(signal);
        QTemporaryDir dir;
        ASSERT_TRUE(Write(dir.filePath("in.txt"), kExample.repeated(200'000)) && Write(dir.filePath("rez.txt"), kOldResult));
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(PASSCAT_CLI_PATH, {"in.txt"});
        ASSERT_TRUE(process.waitForStarted());
        const auto pid = static_cast<pid_t>(process.processId());
        const auto frozenWriting = [&] {
            kill(pid, SIGSTOP);
            for (char state = ProcessState(pid); state == 'R' || state == 'S' || state == 'D'; state = ProcessState(pid))
                QThread::usleep(100);
            const QFileInfoList temporary = QDir(dir.path()).entryInfoList({"rez.txt.*"}, QDir::Files);
            return !temporary.empty() && temporary[0].size() > 0;
        };
        for (int waited = 0; waited < 60'000 && !frozenWriting(); waited += 5) {
            kill(pid, SIGCONT);
            ASSERT_FALSE(process.waitForFinished(5)) << "ended before it was seen writing";
        }
        kill(pid, signal);
        kill(pid, SIGCONT);
        ASSERT_TRUE(process.waitForFinished(60'000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(Bytes(dir.filePath("rez.txt")), kOldResult);
    }
}

// The input changed by another program between the test for its existence and the
// opening: what took its place is refused, a named pipe without waiting for a writer.
TEST(InputChangedOnceFound, RefusedWhenOpened)
{
    void (*const changes[])(const QString& path) = {
        [](const QString& path) { QFile::remove(path); },
        [](const QString& path) { QFile::remove(path) && QDir().mkdir(path); },
        [](const QString& path) { QFile::remove(path) && mkfifo(QFile::encodeName(path), 0644) == 0; },
    };
    alarm(60); // an opening that waits for a writer to the pipe ends the test
    for (const auto& change : changes) {
        SCOPED_TRACE(&change - changes);
        QTemporaryDir dir;
        const QString input = dir.filePath("in.txt");
        ASSERT_TRUE(Write(input, kExample));
        ASSERT_EQ(FindInput(input), InputPlace::RegularFile);
        change(input);

        QFile file(input);
        QString error;
        EXPECT_FALSE(OpenRegularFileForReading(file, error));
        EXPECT_FALSE(error.isEmpty());
    }
    alarm(0);
}

// Ten million points in blocks of 20: the memory stays bounded by the largest block,
// but for the summary the run keeps of each block. Plain build only: too
// slow, and the sanitizers' own memory hides the program's.
TEST(LargeInputs, TenMillionPointsInBoundedMemory)
{
    QTemporaryDir dir;
    if (PASSCAT_SANITIZED || QStorageInfo(dir.path()).bytesAvailable() < qint64{3} << 29)
        GTEST_SKIP() << "needs the plain build and 1.5 GiB free for the input and its report";
    QByteArray block = "Подъем\r\n";
    for (int i = 0; i < 20; ++i)
        block += QByteArray::number(1000 + 7 * i) + '\t' + QByteArray::number(i) + ",25\t1." + QByteArray::number(i % 10) + "\r\n";
    const QString input = dir.filePath("in.txt");
    ASSERT_TRUE(Write(input, block += "@@@\r\n") && RunCli({input}, {}).first == 0);
    const QByteArray sections = Bytes(dir.filePath("rez.txt")).value_or("").repeated(1000);
    for (int i = 0; i < 500; ++i) // in pieces: a child starts with this process's peak resident set
        ASSERT_TRUE(Write(input, block.repeated(1000), i == 0 ? QIODevice::WriteOnly : QIODevice::Append));

    EXPECT_EQ(RunCli({input}, {}), std::pair(0, std::string()));

    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    constexpr long kBlocks = 500 * 1000, kSummaryBytes = 192;
    EXPECT_LT(usage.ru_maxrss, (64 << 10) + kBlocks * kSummaryBytes / 1024) << "KiB at the most resident";
    QFile report(dir.filePath("rez.txt"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(report.read(sections.size()) == sections) << "blocks from " << i * 1000;
    EXPECT_TRUE(report.atEnd());
}

} // namespace passcat
