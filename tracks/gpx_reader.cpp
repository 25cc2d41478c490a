// GPX 1.0 and 1.1: tracks (trk, their trkseg joined), then routes (rte), and named
// waypoints (wpt).
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

using enum XmlAction;

constexpr XmlPath kGpxPaths[] = {
    {"trk", Track},
    {"trk/name", TrackName},
    {"trk/trkseg/trkpt", TrackPointLatLon},
    {"trkpt/ele", Elevation},
    {"rte", Route},
    {"rte/name", TrackName},
    {"rte/rtept", TrackPointLatLon},
    {"rtept/ele", Elevation},
    {"wpt", WaypointLatLon},
    {"wpt/name", WaypointName},
};

} // namespace

std::unique_ptr<TrackReader> MakeGpxReader() { return MakeXmlTrackReader(kGpxPaths); }

} // namespace passcat::tracks
