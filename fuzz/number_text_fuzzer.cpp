// Number texts: the value of a column text, and the three report formats.
//
// The bytes are a column text. Its value must be what the C library reads from the
// same text once blanks are dropped and commas made points, cut at the first
// character that cannot continue a number, in any locale. The value, and the first
// bytes taken as the bits of a double and of a float, are then written in the three
// report formats, each checked against printf in the "C" locale.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "fuzz_check.h"

namespace {

using passcat::fuzz::Describe;

// A locale whose decimal separator is a comma, when the system has one.
locale_t g_commaLocale = nullptr;
locale_t g_cLocale = nullptr;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value by the C library: blanks, TABs and line feeds dropped, commas read as
// points, the longest number at the start read by strtod; no number gives +0.
double ReferenceValue(std::string_view text)
{
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact.push_back(c == ',' ? '.' : c);
    }
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < compact.size() && IsDigit(compact[i]); ++i)
        ++digits;
    if (i < compact.size() && compact[i] == '.') {
        ++i;
        for (; i < compact.size() && IsDigit(compact[i]); ++i)
            ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            ++j;
        if (j < compact.size() && IsDigit(compact[j])) {
            while (j < compact.size() && IsDigit(compact[j]))
                ++j;
            i = j;
        }
    }
    const std::string number = compact.substr(0, i);
    const locale_t previous = uselocale(g_cLocale);
    const double value = std::strtod(number.c_str(), nullptr);
    uselocale(previous);
    return value;
}

std::string Printf(const char* format, double value)
{
    const locale_t previous = uselocale(g_cLocale);
    // Wide enough for every digit of any double with 1100 decimals.
    std::string buffer(1500, '\0');
    const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
    uselocale(previous);
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

std::string WithSeparator(std::string text, char separator)
{
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

// %.<n>G as written in the report: no negative zero.
std::string ExpectedGeneral(const char* format, double value, char separator)
{
    std::string text = Printf(format, value);
    if (text == "-0")
        text = "0";
    return WithSeparator(text, separator);
}

// Three decimals, halfway cases away from zero, from the exact decimal expansion of
// the double: rounding away from zero happens exactly when the fourth decimal is 5 or more.
std::string ExpectedThreeDecimals(double value, char separator)
{
    std::string exact = Printf("%.1100f", value);
    const std::size_t point = exact.find('.');
    const bool roundUp = exact[point + 4] >= '5';
    std::string text = exact.substr(0, point + 4);
    if (roundUp) {
        std::size_t i = text.size();
        for (;;) {
            if (i == 0 || text[i - 1] == '-') {
                text.insert(i, "1");
                break;
            }
            --i;
            if (text[i] == '.')
                continue;
            if (text[i] == '9') {
                text[i] = '0';
                continue;
            }
            ++text[i];
            break;
        }
    }
    if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return WithSeparator(text, separator);
}

void CheckValue(std::string_view text)
{
    const double value = passcat::ParseNumberText(text);
    FUZZ_CHECK(!std::isnan(value), text);
    const double expected = ReferenceValue(text);
    FUZZ_CHECK(SameBits(value, expected), text, Printf("%.17g", value), Printf("%.17g", expected));

    if (g_commaLocale) {
        const locale_t previous = uselocale(g_commaLocale);
        const double inCommaLocale = passcat::ParseNumberText(text);
        uselocale(previous);
        FUZZ_CHECK(SameBits(value, inCommaLocale), text);
    }
}

void CheckFormats(double value)
{
    if (!std::isfinite(value))
        return;
    const auto single = static_cast<float>(value);
    for (const char separator : {'.', ','}) {
        const char other = separator == '.' ? ',' : '.';

        std::string line = "x\t";
        passcat::AppendPlainDouble(line, value, separator);
        FUZZ_CHECK(line.substr(2) == ExpectedGeneral("%.15G", value, separator), line, Printf("%.17g", value));

        line = "x\t";
        if (std::isfinite(single)) {
            passcat::AppendPlainSingle(line, single, separator);
            FUZZ_CHECK(line.substr(2) == ExpectedGeneral("%.7G", single, separator), line,
                       Printf("%.9g", single));
        }

        line = "x\t";
        passcat::AppendThreeDecimals(line, value, separator);
        const std::string_view written = std::string_view(line).substr(2);
        const std::size_t at = written.find(separator);
        // At least one digit, the separator, exactly three digits; no negative zero.
        const std::size_t sign = written.substr(0, 1) == "-" ? 1 : 0;
        FUZZ_CHECK(at != std::string_view::npos && at > sign && at + 4 == written.size(), line);
        FUZZ_CHECK(written.find_first_not_of("0123456789", sign) == at, line);
        FUZZ_CHECK(written.find(other) == std::string_view::npos, line);
        FUZZ_CHECK(!sign || written.find_first_not_of(std::string("0") + separator, 1) != std::string_view::npos,
                   line);
        FUZZ_CHECK(written == ExpectedThreeDecimals(value, separator), line, Printf("%.17g", value),
                   ExpectedThreeDecimals(value, separator));
    }
}

} // namespace

// glibc keeps the locale search path (LOCPATH) of newlocale() for good; that is no
// leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:argz_add_sep\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.CP1251"}) {
        g_commaLocale = newlocale(LC_ALL_MASK, name, nullptr);
        if (g_commaLocale) {
            const locale_t previous = uselocale(g_commaLocale);
            const bool comma = std::strcmp(localeconv()->decimal_point, ",") == 0;
            uselocale(previous);
            if (comma)
                break;
            freelocale(g_commaLocale);
            g_commaLocale = nullptr;
        }
    }
    if (!g_commaLocale)
        std::fprintf(stderr, "number_text fuzzer: no locale with a decimal comma; the locale check is off\n");
    std::atexit([] {
        if (g_commaLocale)
            freelocale(g_commaLocale);
        freelocale(g_cLocale);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckValue(text);
    CheckFormats(passcat::ParseNumberText(text));
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckFormats(bits);
    }
    if (size >= sizeof(float)) {
        float bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckFormats(bits);
    }
    return 0;
}
