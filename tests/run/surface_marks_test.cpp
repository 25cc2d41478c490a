// Marks carried from one run of a track to another by distance along the track.
#include <gtest/gtest.h>

#include "run/surface_marks.h"

namespace passcat {
namespace {

// One block of a track's run: its track, its first point along it (m), its points (km), their surfaces.
struct Block { std::size_t track; double startMetres; std::vector<double> km, surfaces; };

RunResult TrackRun(const std::vector<Block>& blocks)
{
    RunResult run;
    for (const Block& block : blocks) {
        auto rated = std::make_shared<RatedBlock>();
        rated->block.distances = block.km;
        rated->block.surfaceCoefs = block.surfaces;
        RunBlock& added = run.blocks.emplace_back();
        added.number = run.blocks.size();
        added.rated = std::move(rated);
        run.trackPlaces.push_back({block.track, block.startMetres});
    }
    return run;
}

TEST(SurfaceMarks, AreTheStretchesThatDifferFromTheRun)
{
    const RunResult original = TrackRun({{0, 0, {0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}}, {0, 5000, {0, 1}, {1, 1}}});
    const RunResult marked = TrackRun({{0, 0, {0, 1, 2, 3, 4}, {2, 2, 1, 3, 1}}, {0, 5000, {0, 1}, {2, 1}}});
    const std::vector<SurfaceMark> marks = SurfaceMarks(marked, original);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_TRUE(marks[0].block == 1 && marks[0].fromKm == 0 && marks[0].toKm == 2 && marks[0].surface == 2);
    EXPECT_TRUE(marks[1].block == 1 && marks[1].fromKm == 3 && marks[1].toKm == 4 && marks[1].surface == 3);
    EXPECT_TRUE(marks[2].block == 2 && marks[2].fromKm == 0 && marks[2].toKm == 1 && marks[2].surface == 2);
}

struct Carry {
    const char* name;
    std::vector<Block> after;
    SurfaceMark mark;                   // on the block before: track 0, from 1000 m, points every km to 4 km
    std::vector<SegmentSurfaces> taken; // by after
    CarriedMarks::Fate fate;
};

TEST(SurfaceMarks, CarryByDistanceAlongTheTrack)
{
    using enum CarriedMarks::Fate;
    const RunResult before = TrackRun({{0, 1000, {0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}}});
    const Carry cases[] = {
        {"the same blocks", {{0, 1000, {0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}}}, {1, 1, 3, 2}, {{0, 1, 2, 2}}, Kept},
        // Simplified more: the stretch 1..3 km holds the new segments' middles.
        {"fewer points", {{0, 1000, {0, 2, 4}, {1, 1}}}, {1, 1, 3, 2}, {{0, 0, 1, 2}}, Kept},
        // A mark shorter than a new segment gives it its surface.
        {"inside a segment", {{0, 1000, {0, 4}, {1}}}, {1, 1, 2, 2}, {{0, 0, 0, 2}}, Kept},
        // The climb (the second block) starts 0.5 km into the mark, at 2.5 km along the track.
        {"a later start", {{1, 0, {0, 9}, {1}}, {0, 2500, {0, 0.5, 1.5}, {1, 1}}}, {1, 1, 3, 2}, {{1, 0, 1, 2}}, Cut},
        {"beyond the new climb", {{0, 1000, {0, 1}, {1}}}, {1, 2, 3, 2}, {}, Lost},
        {"on another track", {{1, 1000, {0, 1, 2, 3, 4}, {1, 1, 1, 1}}}, {1, 1, 3, 2}, {}, Lost},
        {"no block", {}, {1, 1, 3, 2}, {}, Lost},
    };
    for (const Carry& c : cases) {
        const CarriedMarks carried = CarryMarks({c.mark}, before, TrackRun(c.after));
        ASSERT_EQ(carried.segments.size(), c.taken.size()) << c.name;
        for (std::size_t k = 0; k < c.taken.size(); ++k) {
            const SegmentSurfaces &got = carried.segments[k], &want = c.taken[k];
            EXPECT_TRUE(got.block == want.block && got.firstSegment == want.firstSegment &&
                        got.lastSegment == want.lastSegment && got.surface == want.surface)
                << c.name;
        }
        EXPECT_EQ(carried.fates, std::vector{c.fate}) << c.name;
    }
}

} // namespace
} // namespace passcat
