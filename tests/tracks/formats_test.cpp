// The table of track formats and the element paths of each XML format: the reader a
// file name picks, and the tracks and waypoints it hands on from small documents.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tracks/track_formats.h"

namespace passcat::tracks {
namespace {

// What a reader hands on, a line each: "track NAME[ (after)]: lat,lon,ele ...
// [skipped N]" and "waypoint NAME: lat,lon".
class Recorder final : public TrackSink {
public:
    void trackRead(Track& track) override
    {
        seen_ << "track " << track.name << (track.afterTracks ? " (after)" : "") << ':';
        for (std::size_t k = 0; k < track.size(); ++k)
            seen_ << ' ' << track.latitudes[k] << ',' << track.longitudes[k] << ',' << track.elevations[k];
        if (track.skippedPoints != 0)
            seen_ << " skipped " << track.skippedPoints;
        seen_ << '\n';
    }
    void waypointRead(Waypoint& waypoint) override
    {
        seen_ << "waypoint " << waypoint.name << ": " << waypoint.latitude << ',' << waypoint.longitude << '\n';
    }
    std::string seen() const { return seen_.str(); }

private:
    std::ostringstream seen_;
};

TEST(TrackFormats, EachNameInAnyCasePicksItsReaderAndItsPaths)
{
    struct Case {
        const char* fileName;
        const char* document;
        const char* expected;
    };
    const Case cases[] = {
        // Routes and waypoints anywhere; a trkpt only in a trkseg of the trk; the first
        // ele and the first name count; a name's text includes that of its children.
        {"a.gpx",
         "<gpx><wpt lat='1' lon='2'><name> A <b>b</b> </name></wpt>"
         "<rte><name>R</name><rtept lat='3' lon='4'><ele>5</ele></rtept></rte>"
         "<trk><name>T</name><name>X</name><trkseg><trkpt lat='6' lon='7'><ele>8</ele><ele>9</ele></trkpt>"
         "<trkpt lat='99' lon='7'/><trkpt lat='6.5' lon='7'><ele/><name>N</name></trkpt></trkseg>"
         "<trkpt lat='1' lon='1'/><trk><trkseg><trkpt lat='2' lon='2'/></trkseg></trk></trk></gpx>",
         "waypoint A b: 1,2\ntrack R (after): 3,4,5\ntrack T: 6,7,8 6.5,7,nan skipped 1\n"},
        // Trackpoints anywhere in an Activity, named by its Id; a Trackpoint without a
        // Position is none, one without a longitude is skipped; the first Position counts.
        {"B.TCX",
         "<TrainingCenterDatabase><Activities><Activity><Id>2024</Id><Name>no</Name><Lap><Track>"
         "<Trackpoint><Position><LatitudeDegrees>43</LatitudeDegrees><LongitudeDegrees>42</LongitudeDegrees>"
         "</Position><Position><LatitudeDegrees>1</LatitudeDegrees></Position><AltitudeMeters>1000</AltitudeMeters>"
         "</Trackpoint><Trackpoint><AltitudeMeters>5</AltitudeMeters></Trackpoint>"
         "<Trackpoint><Position><LatitudeDegrees>43.1</LatitudeDegrees></Position></Trackpoint>"
         "</Track></Lap></Activity></Activities><Courses><Course><Id>no</Id><Name>C</Name><CoursePoint><Name>P</Name>"
         "<Position><LatitudeDegrees>44</LatitudeDegrees><LongitudeDegrees>41</LongitudeDegrees></Position>"
         "<AltitudeMeters>7</AltitudeMeters></CoursePoint></Course></Courses></TrainingCenterDatabase>",
         "track 2024: 43,42,1000 skipped 1\nwaypoint P: 44,41\ntrack C:\n"},
        // A Placemark is a track with its lines, parts joined, and a waypoint with its
        // first Point; the name is the Placemark's own.
        {"c.Kml",
         "<kml><Document><name>doc</name><Placemark><name>W</name><MultiGeometry>"
         "<Point><coordinates> 42,43,1 9,9</coordinates></Point><Point><coordinates>1,1</coordinates></Point>"
         "<LineString><coordinates>42,43,100\n42,43.1 x,y</coordinates></LineString>"
         "<LineString><coordinates>41,44</coordinates></LineString></MultiGeometry></Placemark>"
         "<Placemark><gx:Track><gx:coord>42 43 7</gx:coord><gx:coord>1</gx:coord></gx:Track></Placemark>"
         "<Placemark><name>no point</name><Point/></Placemark><Point><coordinates>5,5</coordinates></Point>"
         "</Document></kml>",
         "track W: 43,42,100 43.1,42,nan 44,41,nan skipped 1\nwaypoint W: 43,42\ntrack : 43,42,7 skipped 1\n"},
        {"d.pLt",
         "OziExplorer Track Point File Version 2.1\nWGS 84\nAltitude is in Feet\nReserved 3\n"
         "0,2,255,P 1,0,0,2,8421376\n1\n43.0,42.0,0,1000,45000.0,,\n",
         "track P 1: 43,42,304.8\n"},
    };
    for (const Case& c : cases) {
        const TrackFormat* format = TrackFormatOfName(c.fileName);
        ASSERT_NE(format, nullptr) << c.fileName;
        MemoryByteSource source(c.document);
        Recorder recorder;
        EXPECT_EQ(format->makeReader()->read(source, recorder).status, ReadOutcome::Status::Read) << c.fileName;
        EXPECT_EQ(recorder.seen(), c.expected) << c.fileName;
    }
    for (const char* other : {"a.txt", "gpx", "a.gpx.txt", "a.gpxx", "a.", "kml/a"})
        EXPECT_EQ(TrackFormatOfName(other), nullptr) << other;
}

} // namespace
} // namespace passcat::tracks
