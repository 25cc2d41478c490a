// Number texts. The bytes are a column text; its first bytes are also the bits of a
// double. No report text of either value is a negative zero or holds the other
// separator, "0.000" has exactly three decimals, each value's shortest text reads back
// to it, and under a locale with a decimal comma everything comes out the same. (The
// engine tests compare the texts with the standard library's exact ones.)
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <locale.h>

#include "engine/number_formatting.h"
#include "engine/number_parsing.h"
#include "fuzz_check.h"

namespace {

// Every text of the input's values, checked on the way.
std::string Texts(std::string_view input, double bits)
{
    const double value = passcat::ParseNumberText(input);
    FUZZ_CHECK(!std::isnan(value), input);
    std::string all = std::to_string(std::bit_cast<std::uint64_t>(value));
    char t[passcat::kNumberTextRoom];
    for (const char sep : {'.', ','}) {
        for (const double v : {value, bits}) {
            if (!std::isfinite(v))
                continue;
            const auto add = [&](const char* end) {
                const std::string_view text(t, static_cast<std::size_t>(end - t));
                FUZZ_CHECK(text[0] != '-' || text.find_first_not_of("0.,", 1) != text.npos, text);
                FUZZ_CHECK(text.find(sep == '.' ? ',' : '.') == text.npos, text);
                all.append(text).push_back('|');
                return text;
            };
            const std::string_view three = add(passcat::PutThreeDecimals(t, v, sep));
            FUZZ_CHECK(three.size() > 4 && three.find_last_not_of("0123456789") == three.size() - 4, three);
            add(passcat::PutPlainDouble(t, v, sep));
            add(passcat::PutPlainSingle(t, static_cast<float>(v), sep));
            char* end = std::to_chars(t, t + sizeof t, v).ptr;
            std::replace(t, end, '.', sep);
            const double back = passcat::ParseNumberText({t, static_cast<std::size_t>(end - t)});
            FUZZ_CHECK(std::bit_cast<std::uint64_t>(back) == std::bit_cast<std::uint64_t>(v), std::string_view(t, end));
        }
    }
    return all;
}

} // namespace

// glibc keeps the locale search path of newlocale() for good; no leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:argz_add_sep\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // run-fuzzers.sh builds this locale where it is not installed; without it the check is off.
    static const locale_t commaLocale = newlocale(LC_ALL_MASK, "ru_RU.UTF-8", nullptr);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    double bits = 0.5;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    const std::string texts = Texts(input, bits);
    if (commaLocale) {
        const locale_t previous = uselocale(commaLocale);
        FUZZ_CHECK(Texts(input, bits) == texts, input);
        uselocale(previous);
    }
    return 0;
}
