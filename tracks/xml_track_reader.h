#pragma once

#include <memory>
#include <span>

#include "tracks/track_reader.h"
#include "tracks/xml_paths.h"

namespace passcat::tracks {

// A reader of one XML format, told by the paths of its elements that matter (which
// must outlive the reader); where several paths match an element, the first whose
// action can be taken counts.
std::unique_ptr<TrackReader> MakeXmlTrackReader(std::span<const XmlPath> paths);

} // namespace passcat::tracks
