#pragma once

#include <cstddef>
#include <string>

namespace passcat {

// The number texts of the report. decimalSeparator replaces the point; none of them
// writes a thousands separator or a negative zero. Each writes to a buffer of at
// least kNumberTextRoom characters, returns the end of its text, and may change
// characters after it within the room.
inline constexpr std::size_t kNumberTextRoom = 400; // the largest double has 309 whole digits

// Up to 15 significant digits, exponent form below 1E-04 and from 1E+15 (like %.15G).
char* PutPlainDouble(char* out, double value, char decimalSeparator);

// Up to 7 significant digits of the single value, exponent form from 1E+07 (like %.7G).
char* PutPlainSingle(char* out, float value, char decimalSeparator);

// Pattern "0.000": three decimals, halfway cases away from zero.
char* PutThreeDecimals(char* out, double value, char decimalSeparator);

// One of the texts above appended to line.
template <typename Value>
void AppendNumberText(std::string& line, char* (*put)(char*, Value, char), Value value, char decimalSeparator)
{
    char text[kNumberTextRoom];
    line.append(text, put(text, value, decimalSeparator));
}

// A number alone as the report writes it.
template <typename Value>
std::string NumberText(char* (*put)(char*, Value, char), Value value, char decimalSeparator)
{
    std::string text;
    AppendNumberText(text, put, value, decimalSeparator);
    return text;
}

} // namespace passcat
