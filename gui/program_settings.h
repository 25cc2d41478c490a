#pragma once

#include <QSettings>

namespace passcat {

// Where the window keeps what outlives a session (its layout, the terrain folder).
inline QSettings ProgramSettings()
{
    return QSettings(QStringLiteral("passcat"), QStringLiteral("passcat"));
}

} // namespace passcat
