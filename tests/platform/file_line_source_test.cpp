#include "platform/file_line_source.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"

#ifdef __unix__
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace passcat {
namespace {

using testing::WriteFileBytes;

struct ReadLines {
    std::vector<std::string> lines;
    std::vector<std::uint64_t> lineNumbers;
    bool error = false;
};

// Reads the whole file as the run does: atEnd() before every line.
ReadLines ReadAll(const QString& path, std::size_t chunkSize)
{
    FileLineSource source(path, chunkSize);
    EXPECT_TRUE(source.open()) << source.errorString().toStdString();
    ReadLines read;
    while (!source.atEnd()) {
        const auto line = source.readLine();
        if (!line) {
            ADD_FAILURE() << "not at the end, yet no line";
            break;
        }
        read.lines.emplace_back(*line);
        read.lineNumbers.push_back(source.lineNumber());
    }
    EXPECT_FALSE(source.readLine().has_value());
    EXPECT_EQ(source.lineNumber(), read.lines.size());
    read.error = source.hasError();
    return read;
}

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

const std::string kNuls(5, '\0');

const LinesCase kLinesCases[] = {
    {"Empty", "", {}},
    {"CrLf", "a\r\nbc\r\n", {"a", "bc"}},
    {"Lf", "a\nbc\n", {"a", "bc"}},
    {"Mixed", "a\r\nb\nc\r\n", {"a", "b", "c"}},
    {"NoFinalLineEnd", "a\r\nlast", {"a", "last"}},
    {"FinalCrWithoutLf", "a\r\nlast\r", {"a", "last"}},
    {"OnlyALineEnd", "\r\n", {""}},
    {"EmptyLines", "\n\r\n\nx\n\n", {"", "", "", "x", ""}},
    {"CrInsideALineIsKept", "a\rb\r\n", {"a\rb"}},
    {"OnlyOneCrIsDropped", "a\r\r\n", {"a\r"}},
    {"NulBytes", kNuls + "\n" + kNuls, {kNuls, kNuls}},
    {"EndLineOfABlock", "t\r\n1\t2\t3\r\n@@@\r\n", {"t", "1\t2\t3", "@@@"}},
};

class FileLineSourceLines : public ::testing::TestWithParam<LinesCase> {};

// Tiny chunks split every line end, CR LF pairs included, between two reads.
TEST_P(FileLineSourceLines, SameLinesWithEveryChunkSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("in.txt");
    WriteFileBytes(path, GetParam().bytes);
    for (const std::size_t chunkSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                        FileLineSource::kDefaultChunkSize}) {
        SCOPED_TRACE(chunkSize);
        const ReadLines read = ReadAll(path, chunkSize);
        EXPECT_EQ(read.lines, GetParam().lines);
        EXPECT_FALSE(read.error);
        for (std::size_t i = 0; i < read.lineNumbers.size(); ++i)
            EXPECT_EQ(read.lineNumbers[i], i + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FileLineSourceLines, ::testing::ValuesIn(kLinesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileLineSource, LinesLongerThanAChunk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("in.txt");
    const std::size_t chunk = FileLineSource::kDefaultChunkSize;
    const std::string longLine(3 * chunk + 17, 'x');
    const std::string nuls(chunk + 1, '\0');
    const std::string noLineEnd(2 * chunk + 5, '7');

    WriteFileBytes(path, "a\r\n" + longLine + "\r\n" + nuls + "\nb");
    EXPECT_EQ(ReadAll(path, chunk).lines, (std::vector<std::string>{"a", longLine, nuls, "b"}));

    WriteFileBytes(path, noLineEnd);
    EXPECT_EQ(ReadAll(path, chunk).lines, std::vector<std::string>{noLineEnd});
}

TEST(FileLineSource, MissingFileDoesNotOpen)
{
    QTemporaryDir dir;
    FileLineSource source(dir.filePath("missing.txt"));
    EXPECT_FALSE(source.open());
    EXPECT_FALSE(source.errorString().isEmpty());
}

#ifdef __linux__
// Reading a process's memory at address 0 fails with an I/O error: a real read
// failure on a file that opens fine.
TEST(FileLineSource, ReadErrorEndsTheInputAndIsReported)
{
    FileLineSource source("/proc/self/mem");
    ASSERT_TRUE(source.open());
    EXPECT_TRUE(source.atEnd());
    EXPECT_FALSE(source.readLine().has_value());
    EXPECT_TRUE(source.hasError());
    EXPECT_FALSE(source.errorString().isEmpty());
}
#endif

#ifdef __unix__
// A named pipe or a folder put where the input was is refused at once: waiting for a
// writer of the pipe would hold the run for ever.
TEST(FileLineSourceOpen, RefusesWhatIsNoRegularFileWithoutWaiting)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    alarm(30); // a wait for a writer ends the test
    for (const char* name : {"pipe", "folder", "missing"}) {
        SCOPED_TRACE(name);
        FileLineSource source(dir.filePath(name));
        EXPECT_FALSE(source.open());
        EXPECT_FALSE(source.errorString().isEmpty());
    }
    alarm(0);
}
#endif

} // namespace
} // namespace passcat
