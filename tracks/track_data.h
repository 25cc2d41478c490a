#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace passcat::tracks {

// Elevation of a point that has none.
inline constexpr double kNoElevation = std::numeric_limits<double>::quiet_NaN();

// A point of a track: WGS84 decimal degrees, elevation in metres or kNoElevation.
struct TrackPoint {
    double latitude = 0;
    double longitude = 0;
    double elevation = kNoElevation;

    bool hasElevation() const { return !std::isnan(elevation); }
};

// A track as a reader hands it over, its name normalised (empty when it has none).
struct Track {
    std::string name;
    std::vector<TrackPoint> points;   // the points with valid positions, in file order
    std::uint64_t skippedPoints = 0; // points refused for their position
    // GPX routes follow all tracks of the file, wherever they stand in it.
    bool afterTracks = false;
};

struct Waypoint {
    std::string name; // normalised, never empty
    double latitude = 0;
    double longitude = 0;
};

// Where a reader hands over what it reads, in file order. A track is handed over
// once it is complete; its buffers may be taken (swapped) by the receiver.
class TrackSink {
public:
    virtual ~TrackSink() = default;
    virtual void trackRead(Track& track) = 0;
    virtual void waypointRead(Waypoint& waypoint) = 0;
};

} // namespace passcat::tracks
