// Files on Windows: names outside every code page and past 260 characters, one file
// however its name is spelled (case, separators, the short 8.3 name), and a result
// file held open by another program, which must stay whole.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/file_identity.h"
#include "platform/file_line_source.h"
#include "platform/folder_entries.h"
#include "platform/make_folders.h"
#include "platform/safe_result_file.h"
#include "tests/support/corpus_cases.h"
#include "tests/support/written_file.h"

namespace {

using namespace passcat;
using passcat::testing::ReadBytes;
using passcat::testing::WriteBytes;

// Makes the folder, writes a result into it, lists it and reads the result back.
void RoundTripIn(const QString& folder)
{
    QString error;
    ASSERT_TRUE(MakeFolders(folder, error)) << error.toStdString();
    const QString path = folder + "/rez.txt";
    SafeResultFile result(path);
    ASSERT_TRUE(result.open()) << result.errorString().toStdString();
    result.writeLine("Перевал");
    ASSERT_TRUE(result.commit()) << result.errorString().toStdString();
    QStringList names;
    ASSERT_TRUE(ListFolder(folder, names, error)) << error.toStdString();
    EXPECT_EQ(names, QStringList{"rez.txt"});
    FileLineSource source(path);
    ASSERT_TRUE(source.open());
    EXPECT_EQ(source.readLine().value(), "Перевал");
}

TEST(WindowsFiles, NamesOutsideEveryCodePageAndPastMaxPath)
{
    QTemporaryDir dir;
    RoundTripIn(dir.filePath(QString::fromUtf8("ქართული 😀/Перевал")));
    QString deep = dir.path();
    while (deep.size() <= MAX_PATH + 40)
        deep += "/" + QString(40, u'd');
    RoundTripIn(deep);
}

TEST(WindowsFiles, OneFileHoweverSpelled)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("Profile of the passes.txt");
    ASSERT_TRUE(WriteBytes(in, "x") && QFile::copy(in, dir.filePath("copy.txt")));
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(in).utf16()),
                                           shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    const std::pair<QString, bool> cases[] = {
        {in, true}, {in.toUpper(), true}, {QDir::toNativeSeparators(in), true}, {dir.path() + "//./" + "profile OF the passes.txt", true},
        {QString::fromWCharArray(shortName, length), true}, {dir.filePath("copy.txt"), false}, {dir.filePath("missing"), false},
        {dir.path(), false}};
    for (const auto& [other, same] : cases)
        EXPECT_TRUE(SameExistingFile(in, other) == same && SameExistingFile(other, in) == same) << other.toStdString();
}

TEST(WindowsFiles, AResultHeldOpenElsewhereStaysWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rez.txt");
    ASSERT_TRUE(WriteBytes(path, "old\r\n"));
    // As a spreadsheet holds it: open, shared with nobody.
    const HANDLE held = CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
                                    GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SafeResultFile result(path);
    const bool committed = result.open() && (result.writeLine("new"), result.commit());
    CloseHandle(held);
    EXPECT_FALSE(committed);
    EXPECT_TRUE(result.hasError() && !result.errorString().isEmpty());
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"rez.txt"}) << "a temporary file left";
}

} // namespace
