#include "tracks/track_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace passcat::tracks {

std::ptrdiff_t MemoryByteSource::read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
}

std::optional<TrackFormat> TrackFormatOfName(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() - dot != 4)
        return std::nullopt;
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "gpx")
        return TrackFormat::Gpx;
    if (extension == "kml")
        return TrackFormat::Kml;
    if (extension == "tcx")
        return TrackFormat::Tcx;
    if (extension == "plt")
        return TrackFormat::Plt;
    return std::nullopt;
}

std::unique_ptr<TrackReader> MakeTrackReader(TrackFormat format)
{
    switch (format) {
    case TrackFormat::Gpx:
        return MakeGpxReader();
    case TrackFormat::Kml:
        return MakeKmlReader();
    case TrackFormat::Tcx:
        return MakeTcxReader();
    case TrackFormat::Plt:
        break;
    }
    return MakePltReader();
}

} // namespace passcat::tracks
