#pragma once

#include <QString>

#include "engine/number_formatting.h"

namespace passcat {

// A number as the report writes it (put is one of engine/number_formatting.h's).
template <typename Value>
QString NumberText(char* (*put)(char*, Value, char), Value value, char decimalSeparator)
{
    char text[kNumberTextRoom];
    return QString::fromLatin1(text, put(text, value, decimalSeparator) - text);
}

} // namespace passcat
