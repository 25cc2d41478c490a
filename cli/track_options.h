#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include "run/track_settings.h"

namespace passcat {

// The options for a GPS track as INPUT.
QList<QCommandLineOption> TrackCommandLineOptions();

// Reads them into settings; what is wrong with them (without "Ошибка: "), or an
// empty string when nothing is.
QString ReadTrackOptions(const QCommandLineParser& parser, TrackSettings& settings);

// The help's paragraph on the files of --dem: how they are named, where they come from.
QString TerrainFilesHelp();

} // namespace passcat
