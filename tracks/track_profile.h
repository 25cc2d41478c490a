#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "tracks/track_data.h"

namespace passcat::tracks {

// Drops every point whose latitude and longitude both equal those of the point kept
// before it.
void DropRepeatedPositions(Track& track);

// distances[k]: metres along the track from its first point, the geodesic distances
// on the WGS84 ellipsoid summed in point order.
void MeasureDistances(std::span<const double> latitudes, std::span<const double> longitudes,
                      std::vector<double>& distances);

struct ElevatedSpan {
    std::size_t first = 0; // the first point with an elevation
    std::size_t last = 0;  // the last one
};

// Fills in the elevation of every point between the first and the last that have
// one, linearly by distance; nothing when no point has an elevation.
std::optional<ElevatedSpan> InterpolateElevations(std::span<double> elevations, std::span<const double> distances);

// Replaces each height k by the median of the heights k-r .. k+r as they were,
// r = (window-1)/2, the window shrunk symmetrically near the ends. window is odd.
void SmoothHeights(std::span<double> heights, int window);

} // namespace passcat::tracks
