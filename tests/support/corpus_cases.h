#pragma once

// What the replays of a corpus of passcat-cli cases share: a file's bytes, the case
// folders, and a test name for each.
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <string>
#include <vector>

namespace passcat::testing {

inline std::string ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

inline std::vector<std::string> CaseNames(const QString& corpus)
{
    std::vector<std::string> names;
    for (const QString& name : QDir(corpus).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

// A case folder's name as a test name.
inline std::string CaseTestName(std::string name)
{
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

} // namespace passcat::testing
