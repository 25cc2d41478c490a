// Files: input lines wherever the chunks end (CR LF split between two reads, a last
// line without a line end, a CR at the very end), the encoding scan past the first
// chunk and a missing file. The systems' own cases are in posix_files_test.cpp and
// windows_files_test.cpp.
#include <QTemporaryDir>

#include <gtest/gtest.h>


#include "platform/file_line_source.h"
#include "platform/input_text_detection.h"
#include "tests/support/written_file.h"

namespace {

using namespace passcat;

using passcat::testing::WriteBytes;

TEST(FileLineSource, SameLinesWhereverTheChunksEnd)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}}, {"a\r\nbc\r\n", {"a", "bc"}}, {"a\nb\r\nc", {"a", "b", "c"}}, {"a\r\nlast\r", {"a", "last"}}, {"\r\n", {""}},
        {"\n\r\n\nx\n\n", {"", "", "", "x", ""}}, {"a\rb\r\n", {"a\rb"}}, {"a\r\r\n", {"a\r"}}, {"\r", {""}},
        {std::string(5, '\0') + "\n" + std::string(20, 'x') + "\r", {std::string(5, '\0'), std::string(20, 'x')}},
    };
    QTemporaryDir dir;
    for (const auto& [bytes, expected] : cases) {
        WriteBytes(dir.filePath("in"), bytes);
        for (const std::size_t chunk : {1u, 2u, 3u, 7u, 1u << 20}) {
            FileLineSource source(dir.filePath("in"), chunk);
            ASSERT_TRUE(source.open());
            std::vector<std::string> lines;
            while (!source.atEnd())
                lines.emplace_back(source.readLine().value());
            EXPECT_FALSE(source.readLine() || source.hasError() || source.lineNumber() != lines.size());
            EXPECT_EQ(lines, expected) << "chunks of " << chunk << " bytes";
        }
    }
}

TEST(ScanInputText, ReadsOnPastTheFirstChunkAndReportsWhatItCannotRead)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("split"), std::string((1 << 20) - 1, 'a') + "Ё"); // across the first chunk's end
    EXPECT_EQ(ScanInputText(dir.filePath("split")).text, InputText::Utf8);
    const QString missing = dir.filePath("missing");
    EXPECT_TRUE(!ScanInputText(missing).ok && !ScanInputText(missing).errorString.isEmpty());
}

} // namespace
