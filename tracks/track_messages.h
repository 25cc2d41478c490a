#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "tracks/track_reader.h"

// The texts shown for tracks (UTF-8).
namespace passcat::tracks::messages {

std::string SkippedPoints(std::string_view track, std::uint64_t count);
std::string TooFewPoints(std::string_view track);
// Not a fault: no climb of the track rose minClimb metres; largestRise is how far it got.
std::string NoClimbs(std::string_view track, double largestRise, double minClimb);

// The tiles some point of the track needed and did not find, by their file names.
std::string MissingTiles(std::string_view track, const std::set<std::string>& names);

// A tile's file that gives no heights: once a run, naming the file.
std::string UnreadableTile(std::string_view file, std::string_view reason);
std::string NotATile(std::string_view file, std::uint64_t size);

// Why a file was refused as a whole; outcome is not Read.
std::string Refusal(std::string_view path, const ReadOutcome& outcome);
std::string NoTrack(std::string_view path);

} // namespace passcat::tracks::messages
