#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/work_sharing.h"
#include "tracks/terrain_heights.h"
#include "tracks/track_formats.h"

namespace passcat::tracks {

// How tracks become obstacle blocks.
struct ProfileOptions {
    int smooth = 5;           // median window, odd; 1: none
    double minClimb = 100;    // metres a climb must rise (and a descent fall) at least
    double simplify = 10;     // Douglas-Peucker tolerance in metres; 0: every point
    std::string surface = "1"; // the surface coefficient text of every point
    bool wholeTracks = false; // every track one climb, no detection
    TerrainMode terrainMode = TerrainMode::Fill; // how heights of a terrain model are taken

    friend bool operator==(const ProfileOptions&, const ProfileOptions&) = default;
};

struct TrackConversion {
    enum class Status { Converted, Refused };
    Status status = Status::Converted;
    bool readFailed = false;          // Refused because the input could not be read
    std::string refusal;              // Refused: the message
    std::vector<std::string> notices; // skipped points and short tracks, in track order
    // Tracks that gave no climb of the minimum: told, but no fault of the input.
    std::vector<std::string> withoutClimbs;
    std::string profile;              // the profile text of the climbs, lines ending in CR LF
    // Where each block of the profile lies, in the profile's order: its track (the
    // tracks counted in the profile's order, from 0, those without a block too) and
    // its first point's distance from the track's first point. A block's own distances
    // start at 0, so these carry a stretch from one conversion to another by distance.
    struct Place {
        std::size_t track = 0;
        double startMetres = 0;
    };
    std::vector<Place> places;
};

// Reads a track file and turns its climbs into profile text (UTF-8). path names the
// file in messages; defaultName names the tracks that have no name. With terrain, the
// points take heights from it (after repeated positions are dropped, before the
// elevations are interpolated). A helper thread
// lent by sharing processes large tracks while the next is read, one at a time, so
// memory stays bounded by the two largest tracks; the text is the same without one.
TrackConversion ConvertTracks(const TrackFormat& format, ByteSource& input, std::string_view path,
                              std::string_view defaultName, const ProfileOptions& options,
                              WorkSharing* sharing = nullptr, TerrainModel* terrain = nullptr);

} // namespace passcat::tracks
