#pragma once

#include <QString>

#include "run/track_settings.h"
#include "tracks/track_formats.h"

namespace passcat {

// What a run reads, decided once from what the user named.
struct RunInput {
    enum class Kind {
        ProfileFile,   // obstacle blocks as text
        TrackFile,     // a GPS track whose climbs become obstacle blocks
        StandardInput, // obstacle blocks as text, from standard input
    };
    Kind kind = Kind::ProfileFile;
    QString path;        // the file; empty for standard input
    const tracks::TrackFormat* trackFormat = nullptr; // TrackFile: how the file is read
    TrackSettings track; // TrackFile: how the track becomes profile text

    // A track when the name's extension is that of a track format, else a profile.
    static RunInput FromPath(const QString& path, TrackSettings track = {});
    static RunInput FromStandardInput();
};

} // namespace passcat
