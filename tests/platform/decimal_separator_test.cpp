#include "platform/decimal_separator.h"

#include <gtest/gtest.h>

namespace passcat {
namespace {

TEST(DecimalSeparatorOf, CommaOnlyForLocalesThatWriteOne)
{
    const struct {
        QLocale locale;
        char separator;
    } cases[] = {
        {QLocale(QLocale::Russian, QLocale::Russia), ','},
        {QLocale(QLocale::German, QLocale::Germany), ','},
        {QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), '.'},
        {QLocale::c(), '.'},
        {QLocale(QLocale::Arabic, QLocale::Egypt), '.'}, // a separator that is neither
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalSeparatorOf(c.locale), c.separator) << c.locale.name().toStdString();
}

} // namespace
} // namespace passcat
