// Files on Windows: names outside every code page and past 260 characters, one file
// however its name is spelled (case, separators, the short 8.3 name), and a result
// file held open by another program, which must stay whole; failures by their cause;
// device names.
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

// As a spreadsheet holds a file: open, shared with nobody.
HANDLE HoldOpen(const QString& path)
{
    return CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ, 0,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(WindowsFiles, AResultHeldOpenElsewhereStaysWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rez.txt");
    ASSERT_TRUE(WriteBytes(path, "old\r\n"));
    const HANDLE held = HoldOpen(path);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SafeResultFile result(path);
    const bool committed = result.open() && (result.writeLine("new"), result.commit());
    CloseHandle(held);
    EXPECT_FALSE(committed);
    EXPECT_EQ(result.errorString().toStdString(), "файл открыт другой программой");
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"rez.txt"}) << "a temporary file left";
}

// Each failure named by its cause, in the words Linux gives the same cause.
TEST(WindowsFiles, FailuresToldByTheirCause)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder") && WriteBytes(dir.filePath("held.txt"), "x"));
    const struct {
        QString result;
        const char* why;
    } results[] = {{dir.filePath("folder"), "это папка"},
                   {dir.filePath(QString(256, u'x')), "слишком длинное имя файла"},
                   {dir.filePath("missing/rez.txt"), "нет такого файла или папки"},
                   {dir.filePath("bad?name.txt"), "недопустимое имя файла"}};
    for (const auto& [path, why] : results) {
        SafeResultFile result(path);
        EXPECT_FALSE(result.open() && (result.writeLine("x"), result.commit())) << path.toStdString();
        EXPECT_EQ(result.errorString().toStdString(), why) << path.toStdString();
    }
    const HANDLE held = HoldOpen(dir.filePath("held.txt"));
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileLineSource heldInput(dir.filePath("held.txt")), missingInput(dir.filePath("missing.txt"));
    EXPECT_FALSE(heldInput.open());
    EXPECT_FALSE(missingInput.open());
    CloseHandle(held);
    EXPECT_EQ(heldInput.errorString().toStdString(), "файл открыт другой программой");
    EXPECT_EQ(missingInput.errorString().toStdString(), "нет такого файла или папки");
}

// A device is written in place, as /dev/null is on Linux: no file is made.
TEST(WindowsFiles, DeviceNamesWrittenInPlace)
{
    QTemporaryDir dir;
    for (const QString& device : {QStringLiteral("NUL"), dir.filePath("nul")}) {
        SafeResultFile result(device);
        ASSERT_TRUE(result.open()) << result.errorString().toStdString();
        result.writeLine("x");
        EXPECT_TRUE(result.commit() && result.writesInPlace()) << device.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
