#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "tracks/track_reader.h"

namespace passcat::tracks {

// A kind of track file: the extension that names it and the reader of its contents.
struct TrackFormat {
    std::string_view extension; // lower case, without the dot
    std::unique_ptr<TrackReader> (*makeReader)();
};

// Every track format, in the order the help and the file dialog list them; the one
// place that knows them all.
std::span<const TrackFormat> TrackFormats();

// The format of a file by its name's last extension, in any case; null for a name
// that is no track file.
const TrackFormat* TrackFormatOfName(std::string_view fileName);

} // namespace passcat::tracks
