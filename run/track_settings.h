#pragma once

#include <QString>

#include "tracks/track_conversion.h"

namespace passcat {

// How a GPS track given as input becomes profile text, and where that text is kept
// for the user to edit.
struct TrackSettings {
    tracks::ProfileOptions profile;
    QString writeProfilePath; // empty: the profile is not written
    QString terrainFolder;    // the SRTM tiles; empty: the tracks' own elevations only

    friend bool operator==(const TrackSettings&, const TrackSettings&) = default;
};

} // namespace passcat
