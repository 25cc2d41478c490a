#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/report_labels.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define PASSCAT_HAVE_ICONV 1
#endif

namespace passcat {
namespace {

TEST(Utf8ToCp1251, ReportLabelsByte)
{
    const ReportLabels labels = ReportLabels::Utf8().transformed(Utf8ToCp1251);
    EXPECT_EQ(labels.scorePrefix, "\xC1\xE0\xEB\xEB: ");
    EXPECT_EQ(labels.recommended, "\xD0\xE5\xEA\xEE\xEC\xE5\xED\xE4\xF3\xE5\xEC\xFB\xE5 "
                                  "\xE7\xED\xE0\xF7\xE5\xED\xE8\xFF");
    EXPECT_EQ(labels.categoryPrefix, "\xCA\xE0\xF2\xE5\xE3\xEE\xF0\xE8\xFF "
                                     "\xF1\xEB\xEE\xE6\xED\xEE\xF1\xF2\xE8: ");
    EXPECT_EQ(labels.formulaPrefix, "\xD4\xEE\xF0\xEC\xF3\xEB\xE0: \xCA\xE2*\xCA\xEA\xF0*\xCA\xED\xE2*\xCA\xEF\xEA=");
    EXPECT_EQ(labels.header, "\xCA\xE8\xEB\xEE\xEC\xE5\xF2\xF0\xE0\xE6\t\tD \xCA\xE8\xEB\xEE\xEC\xE5\xF2\xF0\xE0\xE6\t"
                             "\xCD\xC2\tD \xCD\xC2\t\tD \xCA\xF0\xF3\xF2\xE8\xE7\xED\xE0\t\xCA\xF0\xF3\xF2\xE8\xE7\xED\xE0\t"
                             "\xC1\xE0\xEB\xEB \xEA\xF0\xF3\xF2\xE8\xE7\xED\xE0\t\xC1\xE0\xEB\xEB \xEF\xEE\xEA\xF0\t"
                             "\xC1\xE0\xEB\xEB \xCD\xC2\t\t\xD0\xE5\xE7 \xE1\xE0\xEB\xEB\t\xCA\xD2");
}

TEST(Utf8ToCp1251, CharactersOutsideTheCodePage)
{
    struct Case {
        const char* utf8;
        const char* cp1251;
    };
    const Case cases[] = {
        {"", ""},
        {"plain\tASCII\x01\x7F", "plain\tASCII\x01\x7F"},
        {"Ёё№", "\xA8\xB8\xB9"},
        {"ä", "?"},     // Latin-1 letter without a place in the Cyrillic page
        {"😀x", "?x"},  // outside the basic plane: one character, one '?'
        {"\xFF", "?"},  // not UTF-8 at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
}

#ifdef PASSCAT_HAVE_ICONV
// Every byte of the upper half, as the system's converter decodes it, comes back as
// that byte; the one byte the code page leaves unassigned has no character to come from.
TEST(Utf8ToCp1251, WholeUpperHalfMatchesTheSystemConverter)
{
    const iconv_t converter = iconv_open("UTF-8", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the system's iconv has no CP1251";
    int assigned = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in = static_cast<char>(byte);
        char out[8] = {};
        char* inPointer = &in;
        char* outPointer = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) {
            EXPECT_EQ(byte, 0x98) << "unassigned byte";
            continue;
        }
        ++assigned;
        EXPECT_EQ(Utf8ToCp1251(std::string(out, outPointer)), std::string(1, in)) << "byte " << byte;
    }
    iconv_close(converter);
    EXPECT_EQ(assigned, 127);
}
#endif

TEST(SystemTextEncoding, IsUtf8OnLinux)
{
#ifdef __linux__
    EXPECT_EQ(SystemTextEncoding(), TextEncoding::Utf8);
#else
    GTEST_SKIP() << "depends on the system's code page";
#endif
}

} // namespace
} // namespace passcat
