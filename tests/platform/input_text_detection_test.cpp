#include "platform/input_text_detection.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/file_helpers.h"

namespace passcat {
namespace {

struct DetectionCase {
    const char* name;
    std::string bytes;
    InputText expected;
};

const DetectionCase kDetectionCases[] = {
    {"Empty", "", InputText::Ascii},
    {"Ascii", "Pass 1\r\n3100\t0\t1,2\r\n@@@\r\n", InputText::Ascii},
    {"Cyrillic", "Пример 1\r\n", InputText::Utf8},
    {"AfterALongAsciiRun", "0123456789abcdefghij Ё", InputText::Utf8},
    {"Cp1251Cyrillic", "\xCF\xF0\xE8\xEC\xE5\xF0 1\r\n", InputText::OtherBytes},
    {"FourByteCharacter", "😀", InputText::Utf8},
    {"LowestThreeByte", "\xE0\xA0\x80", InputText::Utf8},
    {"HighestCodePoint", "\xF4\x8F\xBF\xBF", InputText::Utf8},
    {"OverlongTwoByte", "\xC0\xAF", InputText::OtherBytes},
    {"OverlongThreeByte", "\xE0\x9F\xBF", InputText::OtherBytes},
    {"OverlongFourByte", "\xF0\x8F\xBF\xBF", InputText::OtherBytes},
    {"Surrogate", "\xED\xA0\x80", InputText::OtherBytes},
    {"BeyondUnicode", "\xF4\x90\x80\x80", InputText::OtherBytes},
    {"LoneContinuationByte", "a\x80z", InputText::OtherBytes},
    {"LeadByteFollowedByAscii", "\xD0z", InputText::OtherBytes},
    {"TruncatedAtTheEnd", "ok \xE2\x82", InputText::OtherBytes},
    {"InvalidAfterValid", "Ё\xFF", InputText::OtherBytes},
    {"Latin1", "caf\xE9", InputText::OtherBytes},
};

class InputTextDetection : public ::testing::TestWithParam<DetectionCase> {};

// Whole, and one byte at a time, so that every sequence is split between pieces.
TEST_P(InputTextDetection, VerdictDoesNotDependOnThePieces)
{
    const DetectionCase& c = GetParam();
    InputTextDetector whole;
    whole.feed(c.bytes);
    EXPECT_EQ(whole.verdict(), c.expected);

    InputTextDetector byteByByte;
    for (const char byte : c.bytes)
        byteByByte.feed(std::string_view(&byte, 1));
    EXPECT_EQ(byteByByte.verdict(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, InputTextDetection, ::testing::ValuesIn(kDetectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScanInputText, FilesLargerThanAChunk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("in.txt");
    const std::size_t chunk = std::size_t{1} << 20;
    const struct {
        std::string bytes;
        InputText expected;
    } cases[] = {
        {std::string(3 * chunk, 'a'), InputText::Ascii},
        // "Ё" split between the first and the second chunk.
        {std::string(chunk - 1, 'a') + "Ё" + std::string(10, 'b'), InputText::Utf8},
        {std::string(2 * chunk, 'a') + "\xA8", InputText::OtherBytes},
    };
    for (const auto& c : cases) {
        testing::WriteFileBytes(path, c.bytes);
        const InputTextScan scan = ScanInputText(path);
        EXPECT_TRUE(scan.ok);
        EXPECT_EQ(scan.text, c.expected);
    }
}

TEST(ScanInputText, UnreadableFileIsReported)
{
    QTemporaryDir dir;
    const InputTextScan missing = ScanInputText(dir.filePath("missing.txt"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.errorString.isEmpty());
#ifdef __linux__
    const InputTextScan failedRead = ScanInputText("/proc/self/mem"); // opens, but reading address 0 fails
    EXPECT_FALSE(failedRead.ok);
    EXPECT_FALSE(failedRead.errorString.isEmpty());
#endif
}

TEST(EncodingForInput, FollowsTheInputElseTheSystem)
{
    EXPECT_EQ(EncodingForInput(InputText::Utf8), TextEncoding::Utf8);
    EXPECT_EQ(EncodingForInput(InputText::OtherBytes), TextEncoding::Cp1251);
    EXPECT_EQ(EncodingForInput(InputText::Ascii), SystemTextEncoding());
}

} // namespace
} // namespace passcat
