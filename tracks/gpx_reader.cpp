// GPX 1.0 and 1.1: tracks (trk, their trkseg joined), then routes (rte), and named
// waypoints (wpt).
#include "tracks/track_texts.h"
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

enum Code : std::uint8_t { kOther, kTrk, kTrkseg, kTrkpt, kRte, kRtept, kWpt, kName, kEle };

class GpxFormat final : public XmlFormat {
public:
    explicit GpxFormat(TrackSink& sink) : sink_(sink) {}

    std::uint8_t elementCode(std::string_view name) const override
    {
        if (name == "trkpt")
            return kTrkpt;
        if (name == "ele")
            return kEle;
        if (name == "trkseg")
            return kTrkseg;
        if (name == "trk")
            return kTrk;
        if (name == "rtept")
            return kRtept;
        if (name == "rte")
            return kRte;
        if (name == "wpt")
            return kWpt;
        if (name == "name")
            return kName;
        return kOther;
    }

    void elementStarted(Path open, const char* const* attributes) override
    {
        const std::uint8_t code = open.back();
        const std::uint8_t parent = open.size() > 1 ? open[open.size() - 2] : std::uint8_t{kOther};
        const std::size_t depth = open.size();
        if ((code == kTrk || code == kRte) && trackDepth_ == 0) {
            trackDepth_ = depth;
            track_.restart();
            track_.afterTracks = code == kRte;
            trackName_.clear();
            trackNameSeen_ = false;
        } else if (pointDepth_ == 0 && trackDepth_ != 0 &&
                   ((code == kTrkpt && !track_.afterTracks && depth == trackDepth_ + 2 && parent == kTrkseg) ||
                    (code == kRtept && track_.afterTracks && depth == trackDepth_ + 1))) {
            startPoint(depth, attributes);
        } else if (code == kWpt && pointDepth_ == 0) {
            startPoint(depth, attributes);
            waypoint_ = true;
            waypointName_.clear();
            waypointNameSeen_ = false;
        } else if (code == kEle && pointDepth_ != 0 && depth == pointDepth_ + 1 && !eleSeen_) {
            startText(depth, ele_);
            eleSeen_ = true;
        } else if (code == kName && trackDepth_ != 0 && depth == trackDepth_ + 1 && !trackNameSeen_) {
            startText(depth, trackName_);
            trackNameSeen_ = true;
        } else if (code == kName && waypoint_ && depth == pointDepth_ + 1 && !waypointNameSeen_) {
            startText(depth, waypointName_);
            waypointNameSeen_ = true;
        }
    }

    void elementEnded(Path open) override
    {
        const std::size_t depth = open.size();
        if (depth == textDepth_) {
            text_ = nullptr;
            textDepth_ = 0;
        }
        if (depth == pointDepth_) {
            pointDepth_ = 0;
            HandOnPoint(sink_, track_, waypoint_ ? &waypointName_ : nullptr, latitude_, longitude_, ele_);
            waypoint_ = false;
        } else if (depth == trackDepth_) {
            trackDepth_ = 0;
            track_.name = trackName_.name();
            sink_.trackRead(track_);
        }
    }

    void textRead(std::string_view text) override
    {
        if (text_)
            text_->append(text);
    }

private:
    void startPoint(std::size_t depth, const char* const* attributes)
    {
        pointDepth_ = depth;
        latitude_.reset();
        longitude_.reset();
        // Attributes go by their whole names (XML allows each only once).
        for (const char* const* attribute = attributes; *attribute; attribute += 2) {
            const std::string_view name = attribute[0];
            if (name == "lat")
                latitude_ = ParseDecimal(attribute[1]);
            else if (name == "lon")
                longitude_ = ParseDecimal(attribute[1]);
        }
        ele_.clear();
        eleSeen_ = false;
    }

    void startText(std::size_t depth, CappedText& text)
    {
        text.clear();
        text_ = &text;
        textDepth_ = depth;
    }

    TrackSink& sink_;
    Track track_;
    std::size_t trackDepth_ = 0; // of the open trk or rte; 0: none
    std::size_t pointDepth_ = 0; // of the open trkpt, rtept or wpt
    std::size_t textDepth_ = 0;  // of the element whose text is gathered
    CappedText* text_ = nullptr;
    bool waypoint_ = false;
    std::optional<double> latitude_;
    std::optional<double> longitude_;
    CappedText ele_;
    CappedText trackName_;
    CappedText waypointName_;
    bool eleSeen_ = false;
    bool trackNameSeen_ = false;
    bool waypointNameSeen_ = false;
};

class GpxReader final : public TrackReader {
public:
    ReadOutcome read(ByteSource& input, TrackSink& sink) override
    {
        GpxFormat format(sink);
        return ReadXml(input, format);
    }
};

} // namespace

std::unique_ptr<TrackReader> MakeGpxReader() { return std::make_unique<GpxReader>(); }

} // namespace passcat::tracks
