#pragma once

#include <QByteArray>
#include <QDate>

#include <functional>

namespace passcat {

// Qt's ODT archive, finished: every entry dated midnight of date (1980 at the earliest,
// where ZIP's dates begin), and every picture entry holding what nextPicture gives,
// stored as it is. nextPicture is asked once for each picture entry, in the archive's
// order, when that entry is written. Empty when the archive cannot be read or written,
// or nextPicture gives no bytes.
QByteArray FinishOdtArchive(const QByteArray& archive, QDate date, const std::function<QByteArray()>& nextPicture);

} // namespace passcat
