#pragma once

#include <QByteArray>
#include <QDate>

namespace passcat {

// Stamps every entry of a ZIP archive, in place, with midnight of date (1980 at the
// earliest, where ZIP's dates begin); false when zip is no archive this can walk.
bool SetZipEntryDates(QByteArray& zip, QDate date);

} // namespace passcat
