#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace passcat::tracks {

// Elevation of a point that has none.
inline constexpr double kNoElevation = std::numeric_limits<double>::quiet_NaN();

inline bool HasElevation(double elevation) { return !std::isnan(elevation); }

// A track as a reader hands it over: its points with valid positions in file order,
// column by column (WGS84 decimal degrees; metres or kNoElevation), and its name
// normalised (empty when it has none).
struct Track {
    std::string name;
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    std::vector<double> elevations;
    std::uint64_t skippedPoints = 0; // points refused for their position
    // GPX routes follow all tracks of the file, wherever they stand in it.
    bool afterTracks = false;

    std::size_t size() const { return latitudes.size(); }
    void add(double latitude, double longitude, double elevation)
    {
        latitudes.push_back(latitude);
        longitudes.push_back(longitude);
        elevations.push_back(elevation);
    }
    // Starts the next track; the columns keep their room.
    void restart()
    {
        name.clear();
        latitudes.clear();
        longitudes.clear();
        elevations.clear();
        skippedPoints = 0;
        afterTracks = false;
    }
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
