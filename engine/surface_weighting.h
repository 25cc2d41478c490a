#pragma once

namespace passcat {

// How a point's surface score weights the coefficients of the segments still ahead:
// by each segment's share of the height still to gain ("Высота") or of the distance
// still to go ("Длина").
enum class SurfaceWeighting { ByHeight, ByLength };

} // namespace passcat
