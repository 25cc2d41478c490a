#include "platform/decimal_separator.h"

namespace passcat {

char DecimalSeparatorOf(const QLocale& locale)
{
    return locale.decimalPoint() == QLatin1String(",") ? ',' : '.';
}

char SystemDecimalSeparator()
{
    return DecimalSeparatorOf(QLocale::system());
}

} // namespace passcat
