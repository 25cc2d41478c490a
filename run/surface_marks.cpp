#include "run/surface_marks.h"

#include <algorithm>
#include <optional>

namespace passcat {
namespace {

// Whole metres bound the distances of a track's profile: a stretch this much shorter is whole.
constexpr double kSlackMetres = 1;

// A block's points in metres along its track, or nothing when it was not rated.
std::vector<double> TrackMetres(const RunResult& run, const RunBlock& block)
{
    if (!block.rated || block.number == 0 || block.number > run.trackPlaces.size())
        return {};
    const std::vector<double>& km = block.rated->block.distances;
    std::vector<double> metres;
    metres.reserve(km.size());
    for (const double distance : km)
        metres.push_back(run.trackPlaces[block.number - 1].startMetres + (distance - km.front()) * 1000.0);
    return metres;
}

std::size_t TrackOf(const RunResult& run, std::uint64_t number) { return run.trackPlaces[number - 1].track; }

} // namespace

std::vector<SurfaceMark> SurfaceMarks(const RunResult& marked, const RunResult& original)
{
    std::vector<SurfaceMark> marks;
    for (std::size_t k = 0; k < marked.blocks.size() && k < original.blocks.size(); ++k) {
        const RunBlock& block = marked.blocks[k];
        if (!block.rated || !original.blocks[k].rated)
            continue;
        const std::vector<double>& km = block.rated->block.distances;
        const std::vector<double>& surfaces = block.rated->block.surfaceCoefs;
        const std::vector<double>& given = original.blocks[k].rated->block.surfaceCoefs;
        for (std::size_t i = 0; i + 1 < km.size(); ++i) {
            if (surfaces[i] == given[i])
                continue;
            // The segment before belongs to the last mark when it was marked with this surface too.
            if (i > 0 && surfaces[i - 1] == surfaces[i] && surfaces[i - 1] != given[i - 1])
                marks.back().toKm = km[i + 1] - km.front();
            else
                marks.push_back({block.number, km[i] - km.front(), km[i + 1] - km.front(), surfaces[i]});
        }
    }
    return marks;
}

CarriedMarks CarryMarks(const std::vector<SurfaceMark>& marks, const RunResult& before, const RunResult& after)
{
    CarriedMarks carried;
    std::vector<std::vector<double>> metres;
    for (const RunBlock& block : after.blocks)
        metres.push_back(TrackMetres(after, block));
    // Each segment's surface, the last mark that reaches it winning.
    std::vector<std::vector<std::optional<double>>> taken(after.blocks.size());
    for (std::size_t b = 0; b < after.blocks.size(); ++b)
        taken[b].resize(metres[b].empty() ? 0 : metres[b].size() - 1);
    for (const SurfaceMark& mark : marks) {
        CarriedMarks::Fate fate = CarriedMarks::Fate::Lost;
        if (mark.block == 0 || mark.block > before.trackPlaces.size()) {
            carried.fates.push_back(fate);
            continue;
        }
        const double start = before.trackPlaces[mark.block - 1].startMetres;
        const double from = start + mark.fromKm * 1000.0, to = start + mark.toKm * 1000.0;
        const double middle = (from + to) / 2;
        double covered = 0;
        bool took = false;
        for (std::size_t b = 0; b < after.blocks.size(); ++b) {
            const std::vector<double>& x = metres[b];
            if (x.empty() || TrackOf(after, after.blocks[b].number) != TrackOf(before, mark.block))
                continue;
            covered += std::max(0.0, std::min(to, x.back()) - std::max(from, x.front()));
            for (std::size_t i = 0; i + 1 < x.size(); ++i) {
                const double segmentMiddle = (x[i] + x[i + 1]) / 2;
                if ((from <= segmentMiddle && segmentMiddle <= to) || (x[i] <= middle && middle < x[i + 1])) {
                    taken[b][i] = mark.surface;
                    took = true;
                }
            }
        }
        if (took)
            fate = covered + kSlackMetres >= to - from ? CarriedMarks::Fate::Kept : CarriedMarks::Fate::Cut;
        carried.fates.push_back(fate);
    }
    for (std::size_t b = 0; b < taken.size(); ++b) {
        for (std::size_t i = 0; i < taken[b].size(); ++i) {
            if (!taken[b][i])
                continue;
            SegmentSurfaces* last = carried.segments.empty() ? nullptr : &carried.segments.back();
            if (last && last->block == b && last->lastSegment + 1 == i && last->surface == *taken[b][i])
                last->lastSegment = i;
            else
                carried.segments.push_back({b, i, i, *taken[b][i]});
        }
    }
    return carried;
}

} // namespace passcat
