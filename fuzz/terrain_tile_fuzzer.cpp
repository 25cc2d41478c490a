// The terrain tile reader on arbitrary bytes: the first 16 are a point's latitude and
// longitude (skipped when not a valid position), the next 11 a file name, the rest a
// tile's bytes, taken as they are and, repeated, as a whole 1201 tile.
//
// Properties: only files of a tile's size are tiles; a name parsed is spelled back as
// the same tile; a height, where there is one, lies between the lowest and the highest
// value that is no void (give or take rounding), as a weighted mean of four values must.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "tracks/terrain_heights.h"

namespace {

using passcat::tracks::TerrainTile;

// Every corner gets the same tile.
class OneTile final : public passcat::tracks::TileFiles {
public:
    explicit OneTile(std::span<const std::byte> bytes) : bytes_(bytes) {}
    passcat::tracks::TileFile open(passcat::tracks::TileCorner) override
    {
        passcat::tracks::TileFile file;
        file.status = passcat::tracks::TileFile::Status::Opened;
        file.name = "tile";
        file.bytes = bytes_;
        return file;
    }

private:
    std::span<const std::byte> bytes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kPoint = 16;
    constexpr std::size_t kName = 11;
    if (size < kPoint + kName)
        return 0;
    const std::string_view shown(reinterpret_cast<const char*>(data), size);
    double lat = 0;
    double lon = 0;
    std::memcpy(&lat, data, sizeof lat);
    std::memcpy(&lon, data + sizeof lat, sizeof lon);

    const std::string_view name(reinterpret_cast<const char*>(data + kPoint), kName);
    if (const auto corner = passcat::tracks::ParseTileName(name))
        FUZZ_CHECK(passcat::tracks::ParseTileName(passcat::tracks::TileFileName(*corner)) == corner, shown);

    const std::span<const std::byte> rest(reinterpret_cast<const std::byte*>(data + kPoint + kName),
                                          size - kPoint - kName);
    const bool sized = rest.size() == TerrainTile::SizeOf(1201) || rest.size() == TerrainTile::SizeOf(3601);
    FUZZ_CHECK(TerrainTile::FromBytes(rest).has_value() == sized, shown);
    if (rest.size() < 2 || !(std::abs(lat) <= 90) || !(std::abs(lon) <= 180))
        return 0;

    // The rest's whole values over and over: the tile holds no value the rest does not.
    static std::vector<std::byte> tile(TerrainTile::SizeOf(1201));
    const std::size_t period = rest.size() & ~std::size_t{1};
    std::memcpy(tile.data(), rest.data(), std::min(period, tile.size()));
    for (std::size_t done = period; done < tile.size(); done *= 2) // whole periods, doubling
        std::memcpy(tile.data() + done, tile.data(), std::min(done, tile.size() - done));
    const TerrainTile grid = *TerrainTile::FromBytes(tile);
    int lowest = 32767;
    int highest = -32768;
    for (std::size_t k = 0; k < std::min(period, tile.size()) / 2; ++k) {
        const int value = grid.value(static_cast<int>(k / 1201), static_cast<int>(k % 1201));
        if (value != TerrainTile::kVoid) {
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    }
    OneTile files(tile);
    passcat::tracks::TerrainModel model(files);
    passcat::tracks::TerrainSampler sampler(model);
    passcat::tracks::TerrainGaps gaps;
    const double height = sampler.height(lat, lon, gaps);
    FUZZ_CHECK(gaps.missing.empty() && gaps.faults.empty(), shown);
    // Rounding may take a mean of equal values a few ulps beyond them.
    constexpr double kRounding = 1e-6;
    if (passcat::tracks::HasElevation(height))
        FUZZ_CHECK(height >= lowest - kRounding && height <= highest + kRounding, shown);
    return 0;
}
