#include "platform/file_identity.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/file_helpers.h"

namespace passcat {
namespace {

TEST(SameExistingFile, ComparesFilesNotTexts)
{
    QTemporaryDir dir;
    const QString input = dir.filePath("in.txt");
    testing::WriteFileBytes(input, "same bytes");
    testing::WriteFileBytes(dir.filePath("copy.txt"), "same bytes");
    ASSERT_TRUE(QFile::link(input, dir.filePath("symlink.txt")));
    std::error_code error;
    std::filesystem::create_hard_link(input.toStdString(), dir.filePath("hardlink.txt").toStdString(), error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));

    const struct {
        QString other;
        bool same;
    } cases[] = {
        {input, true},
        {dir.path() + "/./in.txt", true},
        {dir.path() + "/sub/../in.txt", true},
        {dir.filePath("symlink.txt"), true},
        {dir.filePath("hardlink.txt"), true},
        {dir.filePath("copy.txt"), false},
        {dir.filePath("missing.txt"), false},
        {dir.filePath("sub"), false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameExistingFile(input, c.other), c.same) << c.other.toStdString();
        EXPECT_EQ(SameExistingFile(c.other, input), c.same) << c.other.toStdString();
    }
    EXPECT_FALSE(SameExistingFile(dir.filePath("missing.txt"), dir.filePath("missing.txt")));
}

} // namespace
} // namespace passcat
