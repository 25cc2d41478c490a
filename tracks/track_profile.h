#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "tracks/track_data.h"

namespace passcat::tracks {

// Drops every point whose latitude and longitude both equal those of the point kept
// before it.
void DropRepeatedPositions(std::vector<TrackPoint>& points);

// distances[k]: metres along the track from its first point, the geodesic distances
// on the WGS84 ellipsoid summed in point order. threads > 1 measures the steps on
// that many threads; the sums, and so the results, stay the same.
void MeasureDistances(std::span<const TrackPoint> points, std::vector<double>& distances, unsigned threads = 1);

struct ElevatedSpan {
    std::size_t first = 0; // the first point with an elevation
    std::size_t last = 0;  // the last one
};

// Fills in the elevation of every point between the first and the last that have
// one, linearly by distance; nothing when no point has an elevation.
std::optional<ElevatedSpan> InterpolateElevations(std::span<TrackPoint> points, std::span<const double> distances);

// heights[k]: the median of the elevations of points k-r .. k+r, r = (window-1)/2,
// the window shrunk symmetrically near the ends. window is odd.
void SmoothHeights(std::span<const TrackPoint> points, int window, std::vector<double>& heights);

} // namespace passcat::tracks
