#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <string>
#include <string_view>

// Reading and writing whole test files, byte for byte.
namespace passcat::testing {

inline std::string ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll().toStdString();
}

inline void WriteFileBytes(const QString& path, std::string_view bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The names in a folder, hidden ones included, sorted: a temporary file left
// behind shows up here.
inline QStringList EntriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace passcat::testing
