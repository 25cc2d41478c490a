// Files on POSIX systems: reads that fail after the file opened, one file under
// several names (links included), and the result file replaced only by a commit that
// succeeds, also when the file size limit stops a write.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/file_identity.h"
#include "platform/file_line_source.h"
#include "platform/input_text_detection.h"
#include "platform/safe_result_file.h"
#include "tests/support/written_file.h"

namespace {

using namespace passcat;

using passcat::testing::WriteBytes;
std::string Read(const QString& path) { QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "?"; }

TEST(FileLineSource, AFailedReadOfAFileThatOpens)
{
    // Reading this process's memory at address 0 fails.
    FileLineSource memory("/proc/self/mem");
    EXPECT_TRUE(memory.open() && memory.atEnd() && !memory.readLine() && memory.hasError());
    EXPECT_TRUE(!ScanInputText("/proc/self/mem").ok && !ScanInputText("/proc/self/mem").errorString.isEmpty());
}

TEST(SameExistingFile, OneFileHoweverSpelledOrLinked)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in");
    WriteBytes(in, "x");
    ASSERT_TRUE(QFile::copy(in, dir.filePath("copy")) && QFile::link(in, dir.filePath("symlink"))
                && ::link(QFile::encodeName(in).constData(), QFile::encodeName(dir.filePath("hardlink")).constData()) == 0);
    const std::pair<QString, bool> cases[] = {{in, true}, {dir.path() + "//./in", true}, {dir.filePath("symlink"), true},
        {dir.filePath("hardlink"), true}, {dir.filePath("copy"), false}, {dir.filePath("missing"), false}, {dir.path(), false}};
    for (const auto& [other, same] : cases)
        EXPECT_TRUE(SameExistingFile(in, other) == same && SameExistingFile(other, in) == same) << other.toStdString();
}

enum class End { Commit, Discard, Drop };

TEST(SafeResultFile, ReplacesTheResultOnlyByACommitThatSucceeds)
{
    std::signal(SIGXFSZ, SIG_IGN); // a write beyond the file size limit fails instead of ending the process
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    constexpr std::size_t kAll = SafeResultFile::kDefaultFlushSize;
    constexpr rlim_t kNone = RLIM_INFINITY;
    // Lines flushed a few bytes at a time or all at once, every other one written directly
    // as a text; files that may grow so far only, failing in a flush, a direct write or the commit.
    const struct { std::size_t flushSize; int lines; bool direct; rlim_t limit; End end; } cases[] = {
        {3, 5, false, kNone, End::Commit}, {8, 5, true, kNone, End::Commit}, {kAll, 5, true, kNone, End::Commit},
        {kAll, 0, false, kNone, End::Commit}, {3, 5, false, kNone, End::Discard}, {3, 5, true, kNone, End::Drop},
        {1024, 2000, false, 4096, End::Commit}, {4, 2000, true, 4096, End::Commit}, {kAll, 200, false, 0, End::Commit},
        {kAll, 200, true, 10, End::Commit}, {kAll, 200, false, 1000, End::Commit},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("rez.txt");
        WriteBytes(path, "old\r\n");
        std::optional<SafeResultFile> result(std::in_place, path, c.flushSize);
        ASSERT_TRUE(result->open());
        const rlimit limit{c.limit, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string written;
        for (int i = 0; i < c.lines; ++i) {
            const std::string line = "line " + std::to_string(i);
            i % 2 && c.direct ? result->writeText(line + "\r\n") : result->writeLine(line);
            written += line + "\r\n";
        }
        EXPECT_EQ(Read(path), "old\r\n") << "replaced before the commit";
        const bool committed = c.end == End::Commit && result->commit();
        c.end == End::Discard ? result->discard() : c.end == End::Drop ? result.reset() : void();
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_TRUE(committed == (c.end == End::Commit && c.limit == kNone)
                    && (result && result->hasError() && !result->errorString().isEmpty()) == (c.limit != kNone))
            << c.lines << " lines, limit " << c.limit;
        EXPECT_EQ(Read(path), committed ? written : "old\r\n");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"rez.txt"}) << "a temporary file left";
    }
    SafeResultFile unnamed{QString()};
    EXPECT_TRUE(!unnamed.open() && !unnamed.commit() && unnamed.hasError() && !unnamed.errorString().isEmpty());
}

} // namespace
