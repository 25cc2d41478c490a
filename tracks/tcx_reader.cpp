// TCX: every Activity (named by its Id) and Course (named by its Name) is a track of
// its Trackpoints that have a Position; named CoursePoints are waypoints.
#include <initializer_list>
#include <utility>

#include "tracks/track_texts.h"
#include "tracks/xml_track_reader.h"

namespace passcat::tracks {
namespace {

enum Code : std::uint8_t {
    kOther,
    kActivity,
    kCourse,
    kId,
    kName,
    kTrackpoint,
    kPosition,
    kLatitude,
    kLongitude,
    kAltitude,
    kCoursePoint,
};

class TcxFormat final : public XmlFormat {
public:
    explicit TcxFormat(TrackSink& sink) : sink_(sink) {}

    std::uint8_t elementCode(std::string_view name) const override
    {
        static constexpr std::pair<std::string_view, Code> kNames[] = {
            {"Trackpoint", kTrackpoint},     {"Position", kPosition},         {"LatitudeDegrees", kLatitude},
            {"LongitudeDegrees", kLongitude}, {"AltitudeMeters", kAltitude},  {"Activity", kActivity},
            {"Course", kCourse},             {"Id", kId},                      {"Name", kName},
            {"CoursePoint", kCoursePoint},
        };
        for (const auto& [text, code] : kNames) {
            if (name == text)
                return code;
        }
        return kOther;
    }

    void elementStarted(Path open, const char* const*) override
    {
        const std::size_t depth = open.size();
        const std::uint8_t code = open.back();
        if (textDepth_ != 0)
            return;
        if ((code == kActivity || code == kCourse) && trackDepth_ == 0) {
            trackDepth_ = depth;
            nameCode_ = code == kActivity ? kId : kName;
            track_.restart();
            trackName_.clear();
            trackNameSeen_ = false;
        } else if (code == nameCode_ && trackDepth_ != 0 && depth == trackDepth_ + 1 && !trackNameSeen_) {
            trackNameSeen_ = true;
            startText(depth, trackName_);
        } else if (((code == kTrackpoint && trackDepth_ != 0) || code == kCoursePoint) && pointDepth_ == 0) {
            pointDepth_ = depth;
            waypoint_ = code == kCoursePoint;
            positionDepth_ = 0;
            hasPosition_ = false;
            for (CappedText* text : {&latitude_, &longitude_, &altitude_, &waypointName_})
                text->clear();
            latitudeSeen_ = longitudeSeen_ = altitudeSeen_ = waypointNameSeen_ = false;
        } else if (pointDepth_ == 0) {
            return;
        } else if (code == kPosition && depth == pointDepth_ + 1 && !hasPosition_) {
            hasPosition_ = true;
            positionDepth_ = depth;
        } else if (code == kLatitude && positionDepth_ != 0 && depth == positionDepth_ + 1 && !latitudeSeen_) {
            latitudeSeen_ = true;
            startText(depth, latitude_);
        } else if (code == kLongitude && positionDepth_ != 0 && depth == positionDepth_ + 1 && !longitudeSeen_) {
            longitudeSeen_ = true;
            startText(depth, longitude_);
        } else if (code == kAltitude && !waypoint_ && depth == pointDepth_ + 1 && !altitudeSeen_) {
            altitudeSeen_ = true;
            startText(depth, altitude_);
        } else if (code == kName && waypoint_ && depth == pointDepth_ + 1 && !waypointNameSeen_) {
            waypointNameSeen_ = true;
            startText(depth, waypointName_);
        }
    }

    void elementEnded(Path open) override
    {
        const std::size_t depth = open.size();
        if (depth == textDepth_) {
            textDepth_ = 0;
            text_ = nullptr;
        } else if (depth == positionDepth_) {
            positionDepth_ = 0;
        } else if (depth == pointDepth_) {
            pointDepth_ = 0;
            if (!hasPosition_)
                return; // no point at all
            HandOnPoint(sink_, track_, waypoint_ ? &waypointName_ : nullptr, latitude_.number(), longitude_.number(),
                        altitude_);
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
    void startText(std::size_t depth, CappedText& text)
    {
        text.clear();
        text_ = &text;
        textDepth_ = depth;
    }

    TrackSink& sink_;
    Track track_;
    std::size_t trackDepth_ = 0;
    std::uint8_t nameCode_ = kOther; // Id for an Activity, Name for a Course
    std::size_t pointDepth_ = 0;     // of the open Trackpoint or CoursePoint
    std::size_t positionDepth_ = 0;
    std::size_t textDepth_ = 0;
    CappedText* text_ = nullptr;
    bool waypoint_ = false;
    bool hasPosition_ = false;
    bool trackNameSeen_ = false;
    bool latitudeSeen_ = false;
    bool longitudeSeen_ = false;
    bool altitudeSeen_ = false;
    bool waypointNameSeen_ = false;
    CappedText trackName_;
    CappedText latitude_;
    CappedText longitude_;
    CappedText altitude_;
    CappedText waypointName_;
};

class TcxReader final : public TrackReader {
public:
    ReadOutcome read(ByteSource& input, TrackSink& sink) override
    {
        TcxFormat format(sink);
        return ReadXml(input, format);
    }
};

} // namespace

std::unique_ptr<TrackReader> MakeTcxReader() { return std::make_unique<TcxReader>(); }

} // namespace passcat::tracks
