// The Windows-1251 texts of the report's labels, what an input's bytes tell of its
// encoding, and the decimal separator of the user's locale.
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/decimal_separator.h"
#include "platform/input_text_detection.h"
#include "platform/native_path.h"

namespace {

using namespace passcat;

// Lines of UTF-8, a TAB and the Windows-1251 bytes: every character of the code page
// as iconv decodes it, characters it lacks, ASCII, bytes that are no UTF-8.
TEST(Utf8ToCp1251, EveryCharacterOfTheCodePageAndNoOther)
{
    std::ifstream cases(PASSCAT_TEST_DATA "/utf8_to_cp1251.txt", std::ios::binary);
    int count = 0;
    for (std::string line; std::getline(cases, line); ++count)
        EXPECT_EQ(Utf8ToCp1251(line.substr(0, line.find('\t'))), line.substr(line.find('\t') + 1)) << "line " << count + 1;
    EXPECT_GT(count, 127);
}

TEST(InputTextDetector, SameVerdictFedWholeOrByteByByte)
{
    constexpr auto kAscii = InputText::Ascii, kUtf8 = InputText::Utf8, kOther = InputText::OtherBytes;
    const std::pair<std::string, InputText> cases[] = {
        {"", kAscii}, {"Pass 1\r\n3100\t0\t1,2\r\n", kAscii}, {"\xEF\xBB\xBF" "BOM", kUtf8}, {std::string(13, 'a') + "Ё", kUtf8},
        {"\xC2\x80\xDF\xBF", kUtf8}, {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", kUtf8}, {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", kUtf8},
        {std::string(13, 'a') + "\xA8", kOther}, {"\xCF\xF0\xE8", kOther}, {"\xC0\xAF", kOther}, {"\xC1\xBF", kOther}, {"\xE0\x9F\xBF", kOther},
        {"\xED\xA0\x80", kOther}, {"\xF0\x8F\xBF\xBF", kOther}, {"\xF4\x90\x80\x80", kOther}, {"\xF5\x80\x80\x80", kOther},
        {"a\x80z", kOther}, {"\xD0z", kOther}, {"\xE2\x82z", kOther}, {"ok \xE2\x82", kOther}, {"Ё\xFF", kOther},
    };
    for (const auto& [bytes, expected] : cases) {
        InputTextDetector whole, byteByByte;
        whole.feed(bytes);
        for (const char& byte : bytes)
            byteByByte.feed({&byte, 1});
        EXPECT_TRUE(whole.verdict() == expected && byteByByte.verdict() == expected) << bytes;
    }
}

// The system locale is read once a process, from the environment: each is tried in a
// child process, this same test run again.
TEST(SystemDecimalSeparator, FollowsTheLocaleOfTheEnvironment)
{
    if (const char* expected = std::getenv("PASSCAT_EXPECTED_SEPARATOR")) {
        EXPECT_EQ(SystemDecimalSeparator(), *expected) << std::getenv("LC_ALL");
        return;
    }
    if (!FileNamesAreBytes())
        GTEST_SKIP() << "Windows takes the separator from the user's regional settings, not the environment";
    const std::pair<const char*, const char*> locales[] = {{"ru_RU.UTF-8", ","}, {"de_DE.UTF-8", ","}, {"en_US.UTF-8", "."}, {"C", "."}, {"ar_EG.UTF-8", "."}};
    for (const auto& [locale, separator] : locales) {
        qputenv("LC_ALL", locale);
        qputenv("PASSCAT_EXPECTED_SEPARATOR", separator);
        EXPECT_EQ(QProcess::execute(QString::fromStdString(::testing::internal::GetArgvs()[0]), {"--gtest_filter=SystemDecimalSeparator.*", "--gtest_brief=1"}), 0) << locale;
    }
    qunsetenv("PASSCAT_EXPECTED_SEPARATOR"); // LC_ALL stays: nothing else here reads the locale
}

} // namespace
