#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace passcat::tracks {

// A terrain tile by its south-west corner, in whole degrees.
struct TileCorner {
    int latitude = 0;
    int longitude = 0;

    friend auto operator<=>(const TileCorner&, const TileCorner&) = default;
};

// The corner a file name "[NS]dd[EW]ddd.hgt" names, in any case ("s13w072.HGT");
// nothing for any other name.
std::optional<TileCorner> ParseTileName(std::string_view name);

// The tile's file name as it is usually spelled: "N43E042.hgt", "S13W072.hgt".
std::string TileFileName(TileCorner corner);

} // namespace passcat::tracks
