#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "run/run_result.h"

namespace passcat {

// A stretch of one block whose surface the user set, in km from the block's first point.
struct SurfaceMark {
    std::uint64_t block = 0; // its number in its run
    double fromKm = 0;
    double toKm = 0;
    double surface = 0;
};

// The marks of a run's blocks: each stretch of consecutive segments of one surface that
// differs from the surface the run gave them (original, the same run before marking).
std::vector<SurfaceMark> SurfaceMarks(const RunResult& marked, const RunResult& original);

// Segments first..last of a block, by its index in the run's blocks, take surface.
struct SegmentSurfaces {
    std::size_t block = 0;
    std::size_t firstSegment = 0;
    std::size_t lastSegment = 0;
    double surface = 0;
};

struct CarriedMarks {
    enum class Fate {
        Kept, // the whole stretch lies in the new blocks
        Cut,  // only part of it does
        Lost, // no segment of the new blocks took it
    };
    std::vector<SegmentSurfaces> segments; // in block order, then segment order
    std::vector<Fate> fates;               // one per mark, in their order
};

// Carries the marks of one run of a GPS track (before) to another run of the same track
// with other settings (after), by distance along the track: a segment of after takes the
// surface of the last mark that covers the segment's middle, or whose middle the segment
// holds (a mark shorter than the new segments keeps it).
CarriedMarks CarryMarks(const std::vector<SurfaceMark>& marks, const RunResult& before, const RunResult& after);

} // namespace passcat
