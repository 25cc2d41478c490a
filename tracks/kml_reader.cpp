// KML: every Placemark with a LineString or gx:Track (MultiGeometry parts joined) is a
// track; every named Placemark with a Point is a waypoint.
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

using enum XmlAction;

constexpr XmlPath kKmlPaths[] = {
    {"Placemark", Feature},
    {"Placemark/name", TrackName},
    {"LineString", Line},
    {"LineString/coordinates", CommaPoints},
    {"Track", Line},
    {"Track/coord", SpacedPoint},
    {"Point", Scope},
    {"Point/coordinates", WaypointCoordinates},
};

} // namespace

std::unique_ptr<TrackReader> MakeKmlReader() { return MakeXmlTrackReader(kKmlPaths); }

} // namespace passcat::tracks
