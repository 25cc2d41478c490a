// TCX: every Activity (named by its Id) and Course (named by its Name) is a track of
// its Trackpoints that have a Position; named CoursePoints are waypoints.
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

using enum XmlAction;

constexpr XmlPath kTcxPaths[] = {
    {"Activity", Track},
    {"Activity/Id", TrackName},
    {"Course", Track},
    {"Course/Name", TrackName},
    {"Trackpoint", TrackPoint},
    {"Trackpoint/Position", Position},
    {"Trackpoint/AltitudeMeters", Elevation},
    {"CoursePoint", Waypoint},
    {"CoursePoint/Position", Position},
    {"CoursePoint/Name", WaypointName},
    {"Position/LatitudeDegrees", Latitude},
    {"Position/LongitudeDegrees", Longitude},
};

} // namespace

std::unique_ptr<TrackReader> MakeTcxReader() { return MakeXmlTrackReader(kTcxPaths); }

} // namespace passcat::tracks
