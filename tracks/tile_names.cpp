#include "tracks/tile_names.h"

#include <cstdio>
#include <cstdlib>

namespace passcat::tracks {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The digits at text[first .. first + count), or nothing.
std::optional<int> Digits(std::string_view text, std::size_t first, std::size_t count)
{
    int value = 0;
    for (std::size_t k = first; k < first + count; ++k) {
        if (text[k] < '0' || text[k] > '9')
            return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

} // namespace

std::optional<TileCorner> ParseTileName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".HGT";
    if (name.size() != 7 + kSuffix.size())
        return std::nullopt;
    for (std::size_t k = 0; k < kSuffix.size(); ++k) {
        if (Upper(name[7 + k]) != kSuffix[k])
            return std::nullopt;
    }
    const char north = Upper(name[0]);
    const char east = Upper(name[3]);
    const std::optional<int> latitude = Digits(name, 1, 2);
    const std::optional<int> longitude = Digits(name, 4, 3);
    if ((north != 'N' && north != 'S') || (east != 'E' && east != 'W') || !latitude || !longitude)
        return std::nullopt;
    return TileCorner{north == 'N' ? *latitude : -*latitude, east == 'E' ? *longitude : -*longitude};
}

std::string TileFileName(TileCorner corner)
{
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d.hgt", corner.latitude < 0 ? 'S' : 'N', std::abs(corner.latitude),
                  corner.longitude < 0 ? 'W' : 'E', std::abs(corner.longitude));
    return name;
}

} // namespace passcat::tracks
