#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace passcat {

// Value of one column text of a data line. Commas count as decimal points, blanks,
// TABs and line feeds are dropped wherever they stand, and the longest number at the
// start (sign, digits with at most one point, exponent) is read; the rest is ignored.
// A text without a number gives 0, and so does one starting with '&'. A number too
// large for a double gives an infinity; one too small gives zero. Locale-independent.
double ParseNumberText(std::string_view text);

// Number texts of the report, appended to a line being built. decimalSeparator
// replaces the point; none of them writes a thousands separator or a negative zero.

// Up to 15 significant digits, exponent form below 1E-04 and from 1E+15 (like %.15G).
void AppendPlainDouble(std::string& line, double value, char decimalSeparator);

// Up to 7 significant digits of the single value, exponent form from 1E+07 (like %.7G).
void AppendPlainSingle(std::string& line, float value, char decimalSeparator);

// Pattern "0.000": three decimals, halfway cases away from zero.
void AppendThreeDecimals(std::string& line, double value, char decimalSeparator);

// The same texts written to a buffer of at least kNumberTextRoom characters, for
// rows built in place; each returns the end of its text (at most 24 characters on)
// and may change the characters after it, within the room.
inline constexpr std::size_t kNumberTextRoom = 48;
char* PutPlainDouble(char* out, double value, char decimalSeparator);
// AppendThreeDecimals' text for values below 10^12 in magnitude; null, with nothing
// written, for any other value (which AppendThreeDecimals writes).
char* PutShortThreeDecimals(char* out, double value, char decimalSeparator);

} // namespace passcat
