#pragma once

namespace passcat {

// Fast paths of the report's number texts, in exact arithmetic. Each writes exactly
// the text of the general path in number_formatting.cpp, or returns null, with
// nothing written, where it could not be sure; the general path then writes it.

// %.<precision>G for precision 7 or 15 where it is written without exponent. Null
// for exponent forms, exact ties and values out of range.
char* PutGeneralFixed(char* out, double value, int precision, char decimalSeparator);

// %.15G for a value that is the double nearest to k/1000 for a whole 0 < k < 10^15
// (distances and heights as typed, mostly).
char* PutShortThousandths(char* out, double value, char decimalSeparator);

// Pattern "0.000" for values below 10^12, exact ties away from zero.
char* PutThreeDecimalsFast(char* out, double value, char decimalSeparator);

} // namespace passcat
