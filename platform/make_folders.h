#pragma once

#include <QString>

namespace passcat {

// Creates the folder, and the folders above it that are missing, by the bytes of its
// name (see native_path.h). False when it cannot, error telling why.
bool MakeFolders(const QString& path, QString& error);

} // namespace passcat
