#include "chart/surface_stretches.h"

namespace passcat {

std::vector<SurfaceStretch> SurfaceStretches(const RatedBlock& rated)
{
    const std::vector<double>& distances = rated.block.distances;
    const std::vector<double>& surfaces = rated.block.surfaceCoefs;
    std::vector<SurfaceStretch> stretches;
    for (std::size_t i = 0; i + 1 < distances.size(); ++i) {
        if (!stretches.empty() && stretches.back().surface == surfaces[i]) {
            stretches.back().lastSegment = i;
            stretches.back().toKm = distances[i + 1] - distances.front();
            continue;
        }
        stretches.push_back({i, i, distances[i] - distances.front(), distances[i + 1] - distances.front(), surfaces[i]});
    }
    return stretches;
}

} // namespace passcat
