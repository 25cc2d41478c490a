#pragma once

#include <QString>

#include "engine/number_formatting.h"

namespace passcat {

// A number shown as the report writes it (put is one of engine/number_formatting.h's).
template <typename Value>
QString ShownNumber(char* (*put)(char*, Value, char), Value value, char decimalSeparator)
{
    return QString::fromStdString(NumberText(put, value, decimalSeparator));
}

} // namespace passcat
