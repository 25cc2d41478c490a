#pragma once

#include <QFile>
#include <QString>

namespace passcat {

// Opens file for unbuffered reading when it is a regular file. The check is made on
// what was opened, without waiting: a named pipe put in the file's place after its
// existence was tested would otherwise hold the run until someone writes to it.
// On failure, error tells why.
bool OpenRegularFileForReading(QFile& file, QString& error);

} // namespace passcat
