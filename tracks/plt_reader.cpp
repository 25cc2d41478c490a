// OziExplorer tracks (.plt): six header lines, the name in the fourth field of the
// fifth, then a point a line: latitude, longitude, and the altitude in feet in the
// fourth field (-777: none). UTF-8 when the whole file is, else Windows-1251.
#include <memory>
#include <vector>

#include "text/cp1251.h"
#include "text/utf8.h"
#include "tracks/track_reader.h"
#include "tracks/track_texts.h"

namespace passcat::tracks {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 16;
constexpr std::uint64_t kHeaderLines = 6;
constexpr std::uint64_t kNameLine = 5;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kNoAltitude = -777;

class PltReader final : public TrackReader {
public:
    ReadOutcome read(ByteSource& input, TrackSink& sink) override
    {
        Track track;
        std::vector<char> chunk(kChunkSize);
        for (;;) {
            const std::ptrdiff_t count = input.read(chunk.data(), chunk.size());
            if (count < 0)
                return {ReadOutcome::Status::ReadFailed, 0, 0, {}};
            if (count == 0)
                break;
            const std::string_view bytes(chunk.data(), static_cast<std::size_t>(count));
            utf8_.feed(bytes);
            for (const char c : bytes)
                take(c, track);
        }
        if (lineBytes_ > 0)
            endLine(track);
        if (lines_ >= kHeaderLines) {
            track.name = utf8_.valid() ? name_.name() : NormalizedName(Cp1251ToUtf8(name_.text()));
            sink.trackRead(track);
        }
        return {};
    }

private:
    // Where a byte of the current field goes; none for the fields that do not count.
    CappedText* fieldText()
    {
        const std::uint64_t line = lines_ + 1;
        if (line == kNameLine)
            return field_ == 3 ? &name_ : nullptr;
        if (line <= kHeaderLines)
            return nullptr;
        switch (field_) {
        case 0:
            return &latitude_;
        case 1:
            return &longitude_;
        case 3:
            return &altitude_;
        default:
            return nullptr;
        }
    }

    void take(char c, Track& track)
    {
        if (c == '\n') {
            endLine(track);
            return;
        }
        ++lineBytes_;
        lastWasCr_ = c == '\r';
        if (c == ',') {
            ++field_;
            current_ = fieldText();
        } else if (current_) {
            current_->push_back(c);
        }
    }

    void endLine(Track& track)
    {
        // The CR of a CR LF is no part of the line.
        const bool empty = lineBytes_ - (lastWasCr_ ? 1 : 0) == 0;
        if (++lines_ > kHeaderLines && !empty) {
            const std::optional<double> latitude = latitude_.number();
            const std::optional<double> longitude = longitude_.number();
            if (IsValidPosition(latitude, longitude)) {
                const std::optional<double> feet = altitude_.number();
                const double elevation = feet && *feet != kNoAltitude ? *feet * kMetresPerFoot : kNoElevation;
                track.add(*latitude, *longitude, elevation);
            } else {
                ++track.skippedPoints;
            }
        }
        latitude_.clear();
        longitude_.clear();
        altitude_.clear();
        lineBytes_ = 0;
        lastWasCr_ = false;
        field_ = 0;
        current_ = fieldText();
    }

    Utf8Check utf8_;
    std::uint64_t lines_ = 0; // lines ended so far
    std::uint64_t lineBytes_ = 0;
    bool lastWasCr_ = false;
    std::uint64_t field_ = 0;
    CappedText* current_ = nullptr; // line 1 has no field that counts
    CappedText name_;
    CappedText latitude_;
    CappedText longitude_;
    CappedText altitude_;
};

} // namespace

std::unique_ptr<TrackReader> MakePltReader() { return std::make_unique<PltReader>(); }

} // namespace passcat::tracks
