#include "platform/native_path.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace passcat {
namespace {

// Names as bytes: what a QString holds of them, how messages show them, and the way
// back, byte for byte.
TEST(NativePath, NamesThatAreNotUtf8SurviveTheRoundTrip)
{
    if (!FileNamesAreBytes())
        GTEST_SKIP() << "file names are text here";
    const struct {
        const char* name;
        std::string bytes;
        QString shown;
        qsizetype length; // of the QString
    } cases[] = {
        {"ASCII", "a/b.txt", "a/b.txt", 7},
        {"UTF-8 of two, three and four bytes", "\xd0\xbf\xe2\x82\xac\xf0\x9f\x98\x80", "п€😀", 4},
        {"Windows-1251", "\xcf\xe5\xf0/\xf4.txt", "\\xcf\\xe5\\xf0/\\xf4.txt", 9},
        {"a sequence cut short", "\xd0", "\\xd0", 1},
        {"a sequence cut by ASCII", "\xe2\x82z", "\\xe2\\x82z", 3},
        {"overlong", "\xc0\xaf", "\\xc0\\xaf", 2},
        {"an encoded surrogate", "\xed\xb2\x80", "\\xed\\xb2\\x80", 3},
        {"past U+10FFFF", "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80", 4},
        {"a stray continuation after valid text", "\xd0\xbf\x80", "п\\x80", 2},
        {"the highest bytes", "\xfe\xff", "\\xfe\\xff", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = PathFromNative(c.bytes);
        EXPECT_EQ(path.size(), c.length);
        EXPECT_EQ(DisplayPath(path), c.shown);
        EXPECT_EQ(NativePath(path).toStdString(), c.bytes);
    }
}

TEST(NativePath, ValidUtf8IsPlainTextAndRandomBytesComeBack)
{
    if (!FileNamesAreBytes())
        GTEST_SKIP() << "file names are text here";
    EXPECT_EQ(PathFromNative("\xd0\x9f\xd0\xb5\xd1\x80"), QString::fromUtf8("Пер"));
    // A surrogate pair whose low half lies in the escape range is a character.
    const QString pair = QString::fromUtf8("\xf0\x9f\xb2\x80");
    EXPECT_EQ(NativePath(pair), pair.toUtf8());
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 12, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 2 ? 0x80 + random() % 0x80 : 1 + random() % 0x7f);
        ASSERT_EQ(NativePath(PathFromNative(bytes)).toStdString(), bytes) << round;
    }
}

} // namespace
} // namespace passcat
