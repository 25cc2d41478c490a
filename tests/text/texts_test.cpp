// The texts under everything: UTF-8, Windows-1251 and names.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/cp1251.h"
#include "text/utf8.h"
#include "text/whitespace.h"

namespace passcat {
namespace {

using namespace std::string_literals;

TEST(Texts, Windows1251BothWays)
{
    EXPECT_EQ(Cp1251ToUtf8("\xCF\xE5\xF0\xE5\xE2\xE0\xEB \x98"s + '\0'), "Перевал \uFFFD"s + '\0');
    for (int byte = 0; byte < 256; ++byte) {
        const auto back = Cp1251Byte(Cp1251CodePoint(static_cast<unsigned char>(byte)));
        EXPECT_EQ(back, byte == 0x98 ? '\0' : static_cast<char>(byte)) << byte; // 0x98 is unassigned
    }
    EXPECT_EQ(Cp1251Byte(U'€'), '\x88');
    EXPECT_EQ(Cp1251Byte(U'ä'), '?');
}

// The streaming check and the length of one sequence are one rule: fed in two pieces,
// the check finds valid exactly what the sequences cover whole.
TEST(Texts, Utf8CheckedInPiecesAndBySequence)
{
    const auto coveredBySequences = [](std::string_view bytes) {
        for (std::size_t length; !bytes.empty(); bytes.remove_prefix(length)) {
            if ((length = Utf8SequenceLength(bytes)) == 0)
                return false;
        }
        return true;
    };
    const std::pair<std::string, bool> cases[] = {{"Перевал", true}, {"abc", true}, {"\xF0\x9F\x98\x80", true},
        {"\xCF\xE5", false}, {"\xD0", false}, {"\xED\xA0\x80", false}, {"\xC0\xAF", false}, {"\xF4\x90\x80\x80", false}};
    for (const auto& [bytes, valid] : cases) {
        Utf8Check check;
        check.feed(bytes.substr(0, 1));
        check.feed(bytes.substr(1));
        EXPECT_TRUE(check.valid() == valid && coveredBySequences(bytes) == valid) << bytes;
    }
    std::mt19937 random(5);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(random() % 9, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 3 ? 0x80 + random() % 0x80 : random() % 0x80);
        Utf8Check check;
        check.feed(bytes);
        ASSERT_EQ(check.valid(), coveredBySequences(bytes)) << round;
    }
}

TEST(Texts, NamesWithTheirWhitespaceNormalised)
{
    EXPECT_EQ(NormalizedName("  Перевал \t\r\n  Быстрый\n"), "Перевал Быстрый");
    EXPECT_EQ(NormalizedName(" \n\t "), "");
    EXPECT_EQ(NormalizedName("a\u00A0b"), "a\u00A0b"); // no-break space is no blank
}

} // namespace
} // namespace passcat
