#include "tracks/track_formats.h"

#include <algorithm>

namespace passcat::tracks {

// The readers, each in the file of its format.
std::unique_ptr<TrackReader> MakeGpxReader();
std::unique_ptr<TrackReader> MakeKmlReader();
std::unique_ptr<TrackReader> MakeTcxReader();
std::unique_ptr<TrackReader> MakePltReader();

namespace {

// One row an extension: a format known by two names takes two rows.
constexpr TrackFormat kTrackFormats[] = {
    {"gpx", MakeGpxReader},
    {"kml", MakeKmlReader},
    {"tcx", MakeTcxReader},
    {"plt", MakePltReader},
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

std::span<const TrackFormat> TrackFormats() { return kTrackFormats; }

const TrackFormat* TrackFormatOfName(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return nullptr;
    const std::string_view extension = fileName.substr(dot + 1);
    for (const TrackFormat& format : kTrackFormats) {
        if (std::equal(extension.begin(), extension.end(), format.extension.begin(), format.extension.end(),
                       [](char a, char b) { return AsciiLower(a) == b; }))
            return &format;
    }
    return nullptr;
}

} // namespace passcat::tracks
