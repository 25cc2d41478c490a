#pragma once

#include <QLocale>

namespace passcat {

// The decimal separator numbers are written with: ',' for a locale that writes a
// decimal comma, '.' for every other.
char DecimalSeparatorOf(const QLocale& locale);

// The separator of the user's regional settings.
char SystemDecimalSeparator();

} // namespace passcat
