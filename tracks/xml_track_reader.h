#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "tracks/track_reader.h"
#include "tracks/track_texts.h"

namespace passcat::tracks {

// What one XML format makes of the elements, matched by their local names. The
// driver keeps the codes of the open elements; the handlers see them innermost last.
class XmlFormat {
public:
    using Path = std::span<const std::uint8_t>;

    virtual ~XmlFormat() = default;
    // The code of a local name; 0 for every name the format ignores.
    virtual std::uint8_t elementCode(std::string_view localName) const = 0;
    // attributes: name, value, ..., then a null pointer; the names as written.
    virtual void elementStarted(Path open, const char* const* attributes) = 0;
    // The element that ends is still the last of open.
    virtual void elementEnded(Path open) = 0;
    virtual void textRead(std::string_view text) = 0;
};

// A point element that has ended: a waypoint (waypointName given) with a valid
// position and a name goes to the sink, a track point with a valid position joins the
// track with its elevation, one without a valid position counts as skipped.
void HandOnPoint(TrackSink& sink, Track& track, const CappedText* waypointName, const std::optional<double>& latitude,
                 const std::optional<double>& longitude, const CappedText& elevation);

// The name after its namespace prefix.
std::string_view LocalName(std::string_view name);

// Parses the whole input with Expat, feeding it in chunks: no DTD or external entity
// is ever loaded, and entity expansion stays within Expat's amplification limit.
ReadOutcome ReadXml(ByteSource& input, XmlFormat& format);

} // namespace passcat::tracks
