#include "tracks/coordinate_tuples.h"

#include <initializer_list>

#include "tracks/track_texts.h"

namespace passcat::tracks {

Coordinates CommaTuple(std::string_view tuple)
{
    Coordinates coordinates;
    for (std::optional<double>* field : {&coordinates.longitude, &coordinates.latitude, &coordinates.altitude}) {
        const auto comma = tuple.find(',');
        *field = ParseDecimal(tuple.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        tuple.remove_prefix(comma + 1);
    }
    return coordinates;
}

Coordinates SpaceTuple(std::string_view text)
{
    Coordinates coordinates;
    for (std::optional<double>* field : {&coordinates.longitude, &coordinates.latitude, &coordinates.altitude}) {
        text = Trimmed(text);
        if (text.empty())
            break;
        const std::size_t end = WordLength(text);
        *field = ParseDecimal(text.substr(0, end));
        text.remove_prefix(end);
    }
    return coordinates;
}

std::size_t WordLength(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && !IsSpace(text[end]))
        ++end;
    return end;
}

} // namespace passcat::tracks
