#include "platform/safe_result_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/file_helpers.h"

#ifdef __linux__
#include <unistd.h>

#include "tests/support/file_size_limit.h"
#endif

namespace passcat {
namespace {

using testing::EntriesOf;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr std::string_view kOldResult = "old result\r\n";

class SafeResultFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        WriteFileBytes(resultPath(), kOldResult);
    }

    QString resultPath() const { return dir_.filePath("rez.txt"); }

    // The old result byte for byte, and nothing else in the folder.
    void expectOldResultAlone() const
    {
        EXPECT_EQ(ReadFileBytes(resultPath()), kOldResult);
        EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"rez.txt"});
    }

    QTemporaryDir dir_;
};

TEST_F(SafeResultFileTest, CommitReplacesTheResultWithCrLfLines)
{
    // A flush size of a few bytes makes every line its own write.
    for (const std::size_t flushSize : {std::size_t{3}, SafeResultFile::kDefaultFlushSize}) {
        SCOPED_TRACE(flushSize);
        SafeResultFile result(resultPath(), flushSize);
        ASSERT_TRUE(result.open());
        result.writeLine("title");
        result.writeLine("");
        result.writeLine("1\t\t2");
        EXPECT_EQ(ReadFileBytes(resultPath()), kOldResult) << "replaced before the commit";
        ASSERT_TRUE(result.commit()) << result.errorString().toStdString();
        EXPECT_FALSE(result.hasError());
        EXPECT_EQ(ReadFileBytes(resultPath()), "title\r\n\r\n1\t\t2\r\n");
        EXPECT_EQ(EntriesOf(dir_.path()), QStringList{"rez.txt"});
        WriteFileBytes(resultPath(), kOldResult);
    }
}

TEST_F(SafeResultFileTest, CommitWithoutLinesLeavesAnEmptyResult)
{
    SafeResultFile result(resultPath());
    ASSERT_TRUE(result.open());
    ASSERT_TRUE(result.commit());
    EXPECT_EQ(ReadFileBytes(resultPath()), "");
}

TEST_F(SafeResultFileTest, GivingUpKeepsTheOldResult)
{
    {
        SafeResultFile result(resultPath(), 3);
        ASSERT_TRUE(result.open());
        result.writeLine("new text");
        result.discard();
    }
    expectOldResultAlone();
    {
        SafeResultFile result(resultPath(), 3);
        ASSERT_TRUE(result.open());
        result.writeLine("new text");
    } // destroyed without commit
    expectOldResultAlone();
}

TEST_F(SafeResultFileTest, MissingFolderFailsToOpenAndCreatesNothing)
{
    SafeResultFile result(dir_.filePath("missing/rez.txt"));
    EXPECT_FALSE(result.open());
    EXPECT_TRUE(result.hasError());
    EXPECT_FALSE(result.errorString().isEmpty());
    EXPECT_FALSE(result.commit());
    EXPECT_FALSE(QDir(dir_.filePath("missing")).exists());
    expectOldResultAlone();
}

TEST_F(SafeResultFileTest, EmptyNameFailsToOpen)
{
    SafeResultFile result("");
    EXPECT_FALSE(result.open());
    EXPECT_FALSE(result.errorString().isEmpty());
    EXPECT_FALSE(result.commit());
}

TEST_F(SafeResultFileTest, FolderAsResultFailsToOpen)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    SafeResultFile result(dir_.filePath("folder"));
    EXPECT_FALSE(result.open());
    EXPECT_FALSE(result.errorString().isEmpty());
    EXPECT_EQ(EntriesOf(dir_.filePath("folder")), QStringList{});
}

#ifdef __linux__
TEST_F(SafeResultFileTest, ReadOnlyFolderFailsToOpen)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into folders without write permission";
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    SafeResultFile result(resultPath());
    EXPECT_FALSE(result.open());
    EXPECT_FALSE(result.errorString().isEmpty());
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    expectOldResultAlone();
}

TEST_F(SafeResultFileTest, FailedWriteKeepsTheOldResult)
{
    SafeResultFile result(resultPath(), 4096);
    ASSERT_TRUE(result.open());
    {
        const testing::FileSizeLimit limit(64 * 1024);
        for (int i = 0; i < 100'000 && !result.hasError(); ++i)
            result.writeLine("a line of the report that will not fit");
    }
    EXPECT_TRUE(result.hasError());
    EXPECT_FALSE(result.errorString().isEmpty());
    EXPECT_FALSE(result.commit());
    expectOldResultAlone();
}

// A short report is written only by commit(): its failure there must be seen too,
// not leave a short result in place of the old one.
TEST_F(SafeResultFileTest, FailedWriteInCommitKeepsTheOldResult)
{
    for (const rlim_t limitBytes : {0, 10, 1000}) {
        SCOPED_TRACE(limitBytes);
        SafeResultFile result(resultPath());
        ASSERT_TRUE(result.open());
        for (int i = 0; i < 50; ++i)
            result.writeLine("a line of the report that will not fit");
        bool committed = true;
        {
            const testing::FileSizeLimit limit(limitBytes);
            committed = result.commit();
        }
        EXPECT_FALSE(committed);
        EXPECT_TRUE(result.hasError());
        expectOldResultAlone();
    }
}
#endif

} // namespace
} // namespace passcat
