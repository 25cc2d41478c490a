#pragma once

#include <QString>
#include <QStringList>

namespace passcat {

// The names of the entries of a folder itself (files, folders and the rest, neither
// "." nor ".."), in no order, as native_path.h reads names. False when the folder
// cannot be read (missing, no folder), error telling why.
bool ListFolder(const QString& path, QStringList& names, QString& error);

} // namespace passcat
