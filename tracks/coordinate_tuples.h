#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace passcat::tracks {

// A position as a coordinate text gives it; any part may be missing.
struct Coordinates {
    std::optional<double> longitude;
    std::optional<double> latitude;
    std::optional<double> altitude;
};

// "lon,lat[,alt]": fields past the third are ignored.
Coordinates CommaTuple(std::string_view tuple);

// "lon lat alt", separated by whitespace.
Coordinates SpaceTuple(std::string_view text);

// The length of the text's first word: up to its first whitespace.
std::size_t WordLength(std::string_view text);

} // namespace passcat::tracks
