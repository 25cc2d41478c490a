// Very large and odd inputs, generated here and run through passcat-cli on real files.
#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "engine/messages.h"
#include "engine/obstacle_block.h"
#include "tests/engine/engine_fixture.h"
#include "tests/hardening/child_process.h"
#include "tests/support/file_helpers.h"
#include "tests/support/worked_example.h"

#if defined(__SANITIZE_ADDRESS__)
#define PASSCAT_UNDER_SANITIZERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PASSCAT_UNDER_SANITIZERS 1
#endif
#endif

namespace passcat {
namespace {

using testing::ChildResult;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// Writes a file piece by piece through a buffer, so that no test holds it whole.
class StreamedFile {
public:
    explicit StreamedFile(const QString& path) : file_(std::fopen(QFile::encodeName(path).constData(), "wb")) {}
    ~StreamedFile() { close(); }
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    void write(std::string_view bytes)
    {
        ok_ = ok_ && file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    bool close()
    {
        if (file_) {
            ok_ = std::fclose(file_) == 0 && ok_;
            file_ = nullptr;
        }
        return ok_;
    }

private:
    std::FILE* file_;
    bool ok_ = true;
};

// A block of the given number of points: rising, never twice at one distance, and no
// point but the last at the last height, so that it passes every check.
std::string RisingBlock(std::size_t points, std::string_view title = "Подъем")
{
    std::string block(title);
    block += "\r\n";
    for (std::size_t i = 0; i < points; ++i) {
        block += std::to_string(1000 + 7 * i) + '\t' + std::to_string(i) + ",25\t1." + std::to_string(i % 10) + "\r\n";
    }
    block += "@@@\r\n";
    return block;
}

class LargeInputs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString input() const { return dir_.filePath("in.txt"); }
    QString result() const { return dir_.filePath("rez.txt"); }

    ChildResult runCli() const
    {
        return testing::RunProgram(PASSCAT_CLI_PATH,
                                   {"--encoding", "utf-8", "-o", result().toStdString(), input().toStdString()});
    }

    // The report of a text, evaluated in memory as passcat-cli evaluates the file.
    static std::string ReportOf(std::string_view text) { return testing::EvaluateText(text, testing::SettingsFor(5, false)).report; }

    QTemporaryDir dir_;
};

TEST_F(LargeInputs, TenMillionPointsInBoundedMemory)
{
#ifdef PASSCAT_UNDER_SANITIZERS
    GTEST_SKIP() << "runs in the plain build only: too slow, and the sanitizers' own memory hides the program's";
#else
    constexpr std::size_t kPoints = 10'000'000;
    constexpr std::size_t kPointsPerBlock = 20;
    constexpr std::size_t kBlocks = kPoints / kPointsPerBlock;
    const std::string block = RisingBlock(kPointsPerBlock);
    // The input and its report take about 0.9 GB for the moment of the test.
    constexpr qint64 kSpaceNeeded = qint64{1536} << 20;
    if (const qint64 available = QStorageInfo(dir_.path()).bytesAvailable(); available < kSpaceNeeded)
        GTEST_SKIP() << "needs 1.5 GiB free beside the temporary folder, has " << (available >> 20) << " MiB";
    {
        StreamedFile file(input());
        std::string chunk;
        for (std::size_t i = 0; i < kBlocks; ++i) {
            chunk += block;
            if (chunk.size() > (1 << 20) || i + 1 == kBlocks) {
                file.write(chunk);
                chunk.clear();
            }
        }
        ASSERT_TRUE(file.close());
    }

    const ChildResult run = runCli();

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_LT(run.peakRssKiB, 64 * 1024) << "peak resident set " << run.peakRssKiB << " KiB";
    std::cout << "[          ] peak resident set of passcat-cli: " << run.peakRssKiB << " KiB" << std::endl;
    // Every block is the same, so is every section: the size tells the count, the
    // first and the last section their bytes.
    const std::string section = ReportOf(block);
    QFile report(result());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_EQ(static_cast<std::size_t>(report.size()), kBlocks * section.size());
    EXPECT_EQ(report.read(static_cast<qint64>(section.size())).toStdString(), section);
    ASSERT_TRUE(report.seek(report.size() - static_cast<qint64>(section.size())));
    EXPECT_EQ(report.readAll().toStdString(), section);
    report.close();
    QFile::remove(result());
    QFile::remove(input());
#endif
}

TEST_F(LargeInputs, BlocksAtThePointLimit)
{
    const std::string atLimit = RisingBlock(kMaxPointsPerBlock, "Предел");
    WriteFileBytes(input(), atLimit);
    const ChildResult accepted = runCli();
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
    EXPECT_EQ(accepted.err, "");
    const std::string report = ReadFileBytes(result());
    std::size_t lines = 0;
    for (std::size_t at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, kMaxPointsPerBlock + 7);
    EXPECT_EQ(report, ReportOf(atLimit));

    WriteFileBytes(input(), RisingBlock(kMaxPointsPerBlock + 1, "Сверх предела") + RisingBlock(2));
    const ChildResult rejected = runCli();
    EXPECT_EQ(rejected.exitCode, 1);
    EXPECT_EQ(rejected.err, "блок 1, строка 1: " + messages::TooManyPoints(kMaxPointsPerBlock + 1) + "\n");
    EXPECT_EQ(ReadFileBytes(result()), ReportOf(RisingBlock(2)));
}

TEST_F(LargeInputs, HundredThousandBlocksOfTwoPoints)
{
    const std::string block = RisingBlock(2);
    std::string text;
    for (int i = 0; i < 100'000; ++i)
        text += block;
    WriteFileBytes(input(), text);
    const ChildResult run = runCli();
    EXPECT_EQ(run.exitCode, 0) << run.err.substr(0, 500);
    EXPECT_EQ(run.err, "");
    const std::string section = ReportOf(block);
    std::string expected;
    for (int i = 0; i < 100'000; ++i)
        expected += section;
    EXPECT_TRUE(ReadFileBytes(result()) == expected);
}

TEST_F(LargeInputs, OddInputs)
{
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    const std::string good = RisingBlock(3);
    const std::string body = good.substr(good.find("\r\n") + 2); // without its title
    struct Case {
        const char* name;
        std::string input;
        int exitCode;
        std::vector<std::string> messages; // the lines of standard error
        std::string report;
    };
    const std::string longTitle(kMiB, 'T');
    const std::string blanksThenHeight = std::string(kMiB, ' ') + "1000\t0\t1\r\n1500\t2\t1\r\n@@@\r\n";
    const std::string longMiddle = "t\r\n1000\t0\t" + std::string(kMiB, 'x') + "\t1\r\n1500\t2\t1\r\n@@@\r\n";
    const std::string tabless = "t\r\n" + std::string(kMiB, '7') + "\r\n@@@\r\n";
    const std::string noLineEnd(kMiB, 'x');
    const std::string nuls(kMiB, '\0');
    const std::string nulsInLines = std::string("\0\n\0\t\0\t\0\n@@@\n", 12);
    const Case cases[] = {
        {"title of 1 MiB", longTitle + "\r\n" + body, 0, {}, ReportOf(longTitle + "\r\n" + body)},
        {"first column of 1 MiB", "t\r\n" + blanksThenHeight, 0, {}, ReportOf("t\r\n1000\t0\t1\r\n1500\t2\t1\r\n@@@\r\n")},
        {"ignored column of 1 MiB", longMiddle, 0, {}, ReportOf("t\r\n1000\t0\t1\r\n1500\t2\t1\r\n@@@\r\n")},
        {"data line of 1 MiB without TAB", tabless + good, 1,
         {"блок 1, строка 1: " + messages::TooFewTabs(2)}, ReportOf(good)},
        {"no line end at all", noLineEnd, 1, {"блок 1, строка 1: " + messages::MissingEndLine(1)}, ""},
        {"no line end after the end line", good.substr(0, good.size() - 2), 0, {}, ReportOf(good)},
        {"NUL bytes only", nuls, 1, {"блок 1, строка 1: " + messages::MissingEndLine(1)}, ""},
        {"NUL bytes in lines", nulsInLines, 1,
         {"блок 1, строка 1: " + std::string(messages::kTooFewPoints)}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(input(), c.input);
        const ChildResult run = runCli();
        EXPECT_TRUE(run.exited) << "signal " << run.signal;
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.substr(0, 500);
        std::string expectedErr;
        for (const std::string& line : c.messages)
            expectedErr += line + "\n";
        EXPECT_EQ(run.err, expectedErr);
        EXPECT_TRUE(ReadFileBytes(result()) == c.report) << "report differs";
        // The title is written back byte for byte.
        if (c.exitCode == 0 && c.input.size() > kMiB && c.input[0] == 'T') {
            EXPECT_EQ(ReadFileBytes(result()).substr(0, kMiB), longTitle);
        }
    }
}

} // namespace
} // namespace passcat
