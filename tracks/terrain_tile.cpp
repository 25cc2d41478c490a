#include "tracks/terrain_tile.h"

#include <algorithm>
#include <cmath>

#include "tracks/track_data.h"

namespace passcat::tracks {

std::optional<int> TerrainTile::SideOf(std::uint64_t size)
{
    for (const int side : kSides) {
        if (size == SizeOf(static_cast<std::size_t>(side)))
            return side;
    }
    return std::nullopt;
}

std::optional<TerrainTile> TerrainTile::FromBytes(std::span<const std::byte> bytes)
{
    if (const std::optional<int> side = SideOf(bytes.size()))
        return TerrainTile(bytes.data(), *side);
    return std::nullopt;
}

double TerrainTile::height(double lat, double lon) const
{
    // Every step in double precision in the order written, with no fused multiply-add
    // (the build forbids contraction), so that every implementation gets the same bits.
    const double n = side_;
    const double lat0 = std::floor(lat);
    const double lon0 = std::floor(lon);
    const double y = (lat0 + 1 - lat) * (n - 1); // rows from the northern edge
    const double x = (lon - lon0) * (n - 1);     // columns from the western edge
    const double i = std::min(std::floor(y), n - 2);
    const double j = std::min(std::floor(x), n - 2);
    const double fy = y - i;
    const double fx = x - j;
    const int row = static_cast<int>(i);
    const int column = static_cast<int>(j);
    const int v00 = value(row, column);
    const int v01 = value(row, column + 1);
    const int v10 = value(row + 1, column);
    const int v11 = value(row + 1, column + 1);
    // A void counts even where its weight is zero.
    if (v00 == kVoid || v01 == kVoid || v10 == kVoid || v11 == kVoid)
        return kNoElevation;
    return (1 - fx) * (1 - fy) * v00 + fx * (1 - fy) * v01 + (1 - fx) * fy * v10 + fx * fy * v11;
}

} // namespace passcat::tracks
