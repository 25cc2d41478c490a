#pragma once

#include <string_view>

namespace passcat {

// Value of one column text of a data line. Commas count as decimal points, blanks,
// TABs and line feeds are dropped wherever they stand, and the longest number at the
// start (sign, digits with at most one point, exponent) is read; the rest is ignored.
// A text without a number gives 0, and so does one starting with '&'. A number too
// large for a double gives an infinity; one too small gives zero. Locale-independent.
double ParseNumberText(std::string_view text);

} // namespace passcat
