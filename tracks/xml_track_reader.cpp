#include "tracks/xml_track_reader.h"

#include <optional>
#include <string>
#include <utility>

#include "tracks/coordinate_tuples.h"
#include "tracks/track_texts.h"
#include "tracks/xml_parser.h"

namespace passcat::tracks {
namespace {

using Do = XmlAction;

enum class FieldOf { Nothing, Track, Point };

// What an action fills in, once: a field of the open track, of the open point, or none.
FieldOf Field(XmlAction action)
{
    switch (action) {
    case Do::TrackName:
    case Do::WaypointCoordinates:
        return FieldOf::Track;
    case Do::Position:
    case Do::WaypointName:
    case Do::Elevation:
    case Do::Latitude:
    case Do::Longitude:
        return FieldOf::Point;
    default:
        return FieldOf::Nothing;
    }
}

std::uint32_t Bit(XmlAction action) { return std::uint32_t{1} << static_cast<unsigned>(action); }

// Does what the paths say, gathering the text of one element at a time, and hands on
// tracks and waypoints as they end.
class PathReader final : public XmlHandler {
public:
    PathReader(std::span<const XmlPath> paths, TrackSink& sink) : paths_(paths), sink_(sink) {}

    void elementStarted(std::string_view name, const char* const* attributes) override
    {
        if (const auto action = paths_.started(name, [this](XmlAction candidate) { return canTake(candidate); }))
            start(*action, attributes);
    }

    void elementEnded() override
    {
        if (const std::optional<XmlAction> action = paths_.ended())
            end(*action);
    }

    void textRead(std::string_view text) override
    {
        if (!takingText_)
            return;
        if (textAction_ != Do::CommaPoints) {
            text_.append(text);
            return;
        }
        // One tuple may be split between two pieces.
        while (!text.empty()) {
            const std::size_t end = WordLength(text);
            text_.append(text.substr(0, end));
            if (end == text.size())
                return;
            endTuple();
            text.remove_prefix(end + 1);
        }
    }

private:
    bool canTake(XmlAction action) const
    {
        if (takingText_)
            return false; // elements inside one whose text is taken are text only
        switch (Field(action)) {
        case FieldOf::Track:
            return inTrack_ && (trackFields_ & Bit(action)) == 0;
        case FieldOf::Point:
            return inPoint_ && (pointFields_ & Bit(action)) == 0;
        case FieldOf::Nothing:
            break;
        }
        switch (action) {
        case Do::Track:
        case Do::Route:
        case Do::Feature:
            return !inTrack_;
        case Do::TrackPoint:
        case Do::TrackPointLatLon:
            return inTrack_ && !inPoint_;
        case Do::Waypoint:
        case Do::WaypointLatLon:
            return !inPoint_;
        case Do::Scope:
            return true;
        default: // a Line, and the points of a track's text
            return inTrack_;
        }
    }

    void start(XmlAction action, const char* const* attributes)
    {
        if (Field(action) == FieldOf::Track)
            trackFields_ |= Bit(action);
        else if (Field(action) == FieldOf::Point)
            pointFields_ |= Bit(action);
        switch (action) {
        case Do::Track:
        case Do::Route:
        case Do::Feature:
            inTrack_ = true;
            isTrack_ = action != Do::Feature;
            track_.restart();
            track_.afterTracks = action == Do::Route;
            trackName_.clear();
            trackFields_ = 0;
            waypoint_ = {};
            return;
        case Do::TrackPoint:
        case Do::Waypoint:
        case Do::TrackPointLatLon:
        case Do::WaypointLatLon:
            startPoint(action, attributes);
            return;
        case Do::Line:
            isTrack_ = true;
            return;
        case Do::Position:
            hasPosition_ = true;
            return;
        case Do::Scope:
            return;
        default:
            takingText_ = true;
            textAction_ = action;
            text_.clear();
            return;
        }
    }

    void startPoint(XmlAction action, const char* const* attributes)
    {
        inPoint_ = true;
        isWaypoint_ = action == Do::Waypoint || action == Do::WaypointLatLon;
        hasPosition_ = action == Do::TrackPointLatLon || action == Do::WaypointLatLon;
        pointFields_ = 0;
        latitude_.reset();
        longitude_.reset();
        elevation_.reset();
        pointName_.clear();
        if (!hasPosition_)
            return;
        // Attributes go by their whole names (XML allows each only once).
        for (const char* const* attribute = attributes; *attribute; attribute += 2) {
            const std::string_view name = attribute[0];
            if (name == "lat")
                latitude_ = ParseDecimal(attribute[1]);
            else if (name == "lon")
                longitude_ = ParseDecimal(attribute[1]);
        }
    }

    void end(XmlAction action)
    {
        switch (action) {
        case Do::Track:
        case Do::Route:
        case Do::Feature:
            endTrack();
            return;
        case Do::TrackPoint:
        case Do::Waypoint:
        case Do::TrackPointLatLon:
        case Do::WaypointLatLon:
            endPoint();
            return;
        case Do::Line:
        case Do::Scope:
        case Do::Position:
            return;
        default:
            takingText_ = false;
            textTaken(action);
            return;
        }
    }

    void textTaken(XmlAction action)
    {
        switch (action) {
        case Do::TrackName:
            trackName_ = text_.name();
            return;
        case Do::WaypointCoordinates: {
            const std::string_view text = Trimmed(text_.text());
            waypoint_ = text_.overflowed() ? Coordinates{} : CommaTuple(text.substr(0, WordLength(text)));
            return;
        }
        case Do::WaypointName:
            pointName_ = text_.name();
            return;
        case Do::Elevation:
            elevation_ = text_.number();
            return;
        case Do::Latitude:
            latitude_ = text_.number();
            return;
        case Do::Longitude:
            longitude_ = text_.number();
            return;
        case Do::SpacedPoint:
            addPoint(text_.overflowed() ? Coordinates{} : SpaceTuple(text_.text()));
            return;
        default: // CommaPoints
            endTuple();
            return;
        }
    }

    void endTuple()
    {
        if (text_.text().empty() && !text_.overflowed())
            return;
        addPoint(text_.overflowed() ? Coordinates{} : CommaTuple(text_.text()));
        text_.clear();
    }

    void endPoint()
    {
        inPoint_ = false;
        if (!hasPosition_)
            return; // no point at all
        if (!isWaypoint_) {
            addPoint({longitude_, latitude_, elevation_});
        } else if (IsValidPosition(latitude_, longitude_) && !pointName_.empty()) {
            Waypoint waypoint{std::move(pointName_), *latitude_, *longitude_};
            sink_.waypointRead(waypoint);
        }
    }

    void endTrack()
    {
        inTrack_ = false;
        if (isTrack_) {
            track_.name = trackName_;
            sink_.trackRead(track_);
        }
        if (IsValidPosition(waypoint_.latitude, waypoint_.longitude) && !trackName_.empty()) {
            Waypoint waypoint{trackName_, *waypoint_.latitude, *waypoint_.longitude};
            sink_.waypointRead(waypoint);
        }
    }

    // A track point joins the open track when its position is valid, else counts as
    // skipped.
    void addPoint(const Coordinates& point)
    {
        if (IsValidPosition(point.latitude, point.longitude))
            track_.add(*point.latitude, *point.longitude, point.altitude.value_or(kNoElevation));
        else
            ++track_.skippedPoints;
    }

    XmlPathFollower paths_;
    TrackSink& sink_;

    bool takingText_ = false;
    XmlAction textAction_ = Do::TrackName;
    CappedText text_; // the text being taken; of CommaPoints, the tuple

    bool inTrack_ = false;
    bool isTrack_ = false;
    std::uint32_t trackFields_ = 0; // the fields taken, as bits
    Track track_;
    std::string trackName_;
    Coordinates waypoint_; // of a Feature

    bool inPoint_ = false;
    bool isWaypoint_ = false;
    bool hasPosition_ = false;
    std::uint32_t pointFields_ = 0;
    std::optional<double> latitude_;
    std::optional<double> longitude_;
    std::optional<double> elevation_;
    std::string pointName_;
};

class XmlTrackReader final : public TrackReader {
public:
    explicit XmlTrackReader(std::span<const XmlPath> paths) : paths_(paths) {}

    ReadOutcome read(ByteSource& input, TrackSink& sink) override
    {
        PathReader reader(paths_, sink);
        return ReadXml(input, reader);
    }

private:
    std::span<const XmlPath> paths_;
};

} // namespace

std::unique_ptr<TrackReader> MakeXmlTrackReader(std::span<const XmlPath> paths)
{
    return std::make_unique<XmlTrackReader>(paths);
}

} // namespace passcat::tracks
