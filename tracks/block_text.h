#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace passcat::tracks {

// Metres as kilometres with three decimals, the metres first rounded to a whole
// number, halves away from zero: 1234.5 m gives "1.235".
void AppendDistanceText(std::string& out, double metres);

// Metres with one decimal, height x 10 rounded to a whole number, halves away from
// zero; never "-0.0".
void AppendHeightText(std::string& out, double metres);

// The data lines "height TAB distance TAB surface" of a climb's kept points, each
// ending in CR LF, distances from its first point. A point whose distance text
// equals that of the point written before it is left out; the climb's last point
// instead takes the place of the point before it, unless that is the first.
void AppendClimbLines(std::span<const double> distances, std::span<const double> heights,
                      std::span<const std::size_t> kept, std::string_view surface, std::string& out);

} // namespace passcat::tracks
