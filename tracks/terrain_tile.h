#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace passcat::tracks {

// An SRTM height tile over the bytes of its file: N x N big-endian signed 16-bit
// heights in metres, row by row from the northern edge, each row from west to east;
// -32768 is a void.
class TerrainTile {
public:
    static constexpr int kVoid = -32768;
    // N of the tiles of 3 and of 1 arc-second.
    static constexpr int kSides[] = {1201, 3601};

    // The tile those bytes hold, its N one of kSides by their size; nothing for any
    // other size. The bytes must outlive the tile.
    static std::optional<TerrainTile> FromBytes(std::span<const std::byte> bytes);

    // The bytes a tile of side n takes.
    static constexpr std::size_t SizeOf(std::size_t n) { return n * n * 2; }

    // The side of a tile of that many bytes, one of kSides; nothing for any other size.
    static std::optional<int> SideOf(std::uint64_t size);

    int side() const { return side_; }
    int value(int row, int column) const
    {
        const std::byte* at = bytes_ + 2 * (static_cast<std::size_t>(row) * static_cast<std::size_t>(side_) +
                                            static_cast<std::size_t>(column));
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(std::to_integer<unsigned>(at[0]) << 8 |
                                                                    std::to_integer<unsigned>(at[1])));
    }

    // The height at a point of the tile, bilinear between the four values around it;
    // kNoElevation when any of the four is a void. The tile must be the one whose
    // south-west corner is (floor(latitude), floor(longitude)).
    double height(double latitude, double longitude) const;

private:
    TerrainTile(const std::byte* bytes, int side) : bytes_(bytes), side_(side) {}

    const std::byte* bytes_;
    int side_;
};

} // namespace passcat::tracks
