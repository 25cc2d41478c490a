#pragma once

#include <QFile>
#include <QString>

#include <string_view>

namespace passcat::testing {

// Writes the bytes as the file's whole content; through Qt, so that a name that is not
// in the system's code page works too.
inline bool WriteBytes(const QString& path, std::string_view bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

} // namespace passcat::testing
