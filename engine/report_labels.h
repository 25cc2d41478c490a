#pragma once

#include <string>
#include <string_view>

namespace passcat {

// The report's own texts, in the encoding the report is written in. Titles are not
// among them: they are written back byte for byte.
struct ReportLabels {
    std::string header;
    std::string recommended;
    std::string scorePrefix;
    std::string categoryPrefix;
    std::string formulaPrefix;

    static ReportLabels Utf8();

    // The same texts passed through encode (UTF-8 in, bytes out).
    template <typename Encode>
    ReportLabels transformed(Encode encode) const
    {
        return {encode(header), encode(recommended), encode(scorePrefix), encode(categoryPrefix),
                encode(formulaPrefix)};
    }
};

// How numbers are written: the decimal separator of the user's settings.
struct NumberFormat {
    char decimalSeparator = '.';
};

} // namespace passcat
