// KML: every Placemark with a LineString or gx:Track (MultiGeometry parts joined) is a
// track; every named Placemark with a Point is a waypoint.
#include <initializer_list>

#include "tracks/track_texts.h"
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

enum Code : std::uint8_t { kOther, kPlacemark, kName, kLineString, kTrack, kCoordinates, kCoord, kPoint };

struct Position {
    std::optional<double> longitude;
    std::optional<double> latitude;
    std::optional<double> altitude;
};

// "lon,lat[,alt]": fields past the third are ignored.
Position CommaTuple(std::string_view tuple)
{
    Position position;
    for (std::optional<double>* field : {&position.longitude, &position.latitude, &position.altitude}) {
        const auto comma = tuple.find(',');
        *field = ParseDecimal(tuple.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        tuple.remove_prefix(comma + 1);
    }
    return position;
}

// "lon lat alt", separated by whitespace.
Position SpaceTuple(std::string_view text)
{
    Position position;
    for (std::optional<double>* field : {&position.longitude, &position.latitude, &position.altitude}) {
        text = Trimmed(text);
        if (text.empty())
            break;
        std::size_t end = 0;
        while (end < text.size() && !IsSpace(text[end]))
            ++end;
        *field = ParseDecimal(text.substr(0, end));
        text.remove_prefix(end);
    }
    return position;
}

class KmlFormat final : public XmlFormat {
public:
    explicit KmlFormat(TrackSink& sink) : sink_(sink) {}

    std::uint8_t elementCode(std::string_view name) const override
    {
        if (name == "coord")
            return kCoord;
        if (name == "coordinates")
            return kCoordinates;
        if (name == "Placemark")
            return kPlacemark;
        if (name == "name")
            return kName;
        if (name == "LineString")
            return kLineString;
        if (name == "Track")
            return kTrack;
        if (name == "Point")
            return kPoint;
        return kOther;
    }

    void elementStarted(Path open, const char* const*) override
    {
        const std::size_t depth = open.size();
        const std::uint8_t code = open.back();
        const std::uint8_t parent = depth > 1 ? open[depth - 2] : std::uint8_t{kOther};
        if (code == kPlacemark && placemarkDepth_ == 0) {
            placemarkDepth_ = depth;
            isTrack_ = false;
            track_.restart();
            name_.clear();
            nameSeen_ = false;
            waypointSeen_ = false;
            point_ = {};
            return;
        }
        if (placemarkDepth_ == 0 || textDepth_ != 0)
            return;
        if (code == kName && depth == placemarkDepth_ + 1 && !nameSeen_) {
            nameSeen_ = true;
            startText(depth, name_);
        } else if (code == kLineString || code == kTrack) {
            isTrack_ = true;
        } else if (code == kCoordinates && parent == kLineString) {
            textDepth_ = depth;
            tuples_ = true;
            tuple_.clear();
        } else if (code == kCoord && parent == kTrack) {
            startText(depth, coord_);
        } else if (code == kCoordinates && parent == kPoint && !waypointSeen_) {
            waypointSeen_ = true;
            startText(depth, pointText_);
            pointCoordinates_ = true;
        }
    }

    void elementEnded(Path open) override
    {
        const std::size_t depth = open.size();
        if (depth == textDepth_) {
            textDepth_ = 0;
            text_ = nullptr;
            if (tuples_) {
                tuples_ = false;
                endTuple();
            } else if (open.back() == kCoord) {
                addPoint(coord_.overflowed() ? Position{} : SpaceTuple(coord_.text()));
            } else if (pointCoordinates_) {
                pointCoordinates_ = false;
                std::string_view text = Trimmed(pointText_.text());
                std::size_t end = 0;
                while (end < text.size() && !IsSpace(text[end]))
                    ++end;
                point_ = pointText_.overflowed() ? Position{} : CommaTuple(text.substr(0, end));
            }
        } else if (depth == placemarkDepth_) {
            placemarkDepth_ = 0;
            if (isTrack_) {
                track_.name = name_.name();
                sink_.trackRead(track_);
            }
            if (waypointSeen_ && IsValidPosition(point_.latitude, point_.longitude)) {
                Waypoint waypoint{name_.name(), *point_.latitude, *point_.longitude};
                if (!waypoint.name.empty())
                    sink_.waypointRead(waypoint);
            }
        }
    }

    void textRead(std::string_view text) override
    {
        if (text_) {
            text_->append(text);
            return;
        }
        if (!tuples_)
            return;
        // Tuples are separated by whitespace, and one may be split between two pieces.
        while (!text.empty()) {
            std::size_t end = 0;
            while (end < text.size() && !IsSpace(text[end]))
                ++end;
            tuple_.append(text.substr(0, end));
            if (end == text.size())
                return;
            endTuple();
            text.remove_prefix(end + 1);
        }
    }

private:
    void startText(std::size_t depth, CappedText& text)
    {
        text.clear();
        text_ = &text;
        textDepth_ = depth;
    }

    void endTuple()
    {
        if (tuple_.text().empty() && !tuple_.overflowed())
            return;
        addPoint(tuple_.overflowed() ? Position{} : CommaTuple(tuple_.text()));
        tuple_.clear();
    }

    void addPoint(const Position& position)
    {
        if (IsValidPosition(position.latitude, position.longitude))
            track_.add(*position.latitude, *position.longitude, position.altitude.value_or(kNoElevation));
        else
            ++track_.skippedPoints;
    }

    TrackSink& sink_;
    Track track_;
    std::size_t placemarkDepth_ = 0;
    std::size_t textDepth_ = 0; // of the element whose text is read
    CappedText* text_ = nullptr; // where it goes, unless it is a LineString's tuples
    bool tuples_ = false;
    bool pointCoordinates_ = false;
    bool isTrack_ = false;
    bool nameSeen_ = false;
    bool waypointSeen_ = false;
    CappedText name_;
    CappedText tuple_;
    CappedText coord_;
    CappedText pointText_;
    Position point_;
};

class KmlReader final : public TrackReader {
public:
    ReadOutcome read(ByteSource& input, TrackSink& sink) override
    {
        KmlFormat format(sink);
        return ReadXml(input, format);
    }
};

} // namespace

std::unique_ptr<TrackReader> MakeKmlReader() { return std::make_unique<KmlReader>(); }

} // namespace passcat::tracks
