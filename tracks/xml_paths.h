#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace passcat::tracks {

// What an element does when its path matches.
enum class XmlAction : std::uint8_t {
    // Elements that hold a track; it is handed on when they end. At most one is open.
    Track,
    Route,   // a track that follows all tracks of the file, wherever it stands
    Feature, // a track once a Line is in it, and a waypoint once it has
             // WaypointCoordinates, both named by its TrackName
    Line,    // makes the open Feature a track
    Scope,   // does nothing but start the paths below it
    // Elements that hold a point, handed on when they end, once they have a position.
    // At most one is open; a track point needs an open track.
    TrackPoint,       // the position from a Position below it
    Waypoint,         // likewise
    TrackPointLatLon, // the position from its attributes lat and lon
    WaypointLatLon,
    Position, // gives the open point a position, from the Latitude and Longitude below it
    // Elements whose text is taken when they end; elements inside them count as text
    // only. The first of each within the open track or point counts, the others are
    // ignored.
    TrackName,
    WaypointCoordinates, // the first "lon,lat[,alt]" of the text
    WaypointName,
    Elevation,
    Latitude,
    Longitude,
    // Elements whose text adds points to the open track, every one of them.
    SpacedPoint, // "lon lat [alt]"
    CommaPoints, // "lon,lat[,alt]" tuples separated by whitespace
};

// An element and what it does. path: local names (namespace prefixes dropped)
// separated by '/', the element's own last. A single name matches the element
// wherever it stands; with more names the element's parents must be the ones named
// before it, and the first of them an element that matched a path of its own.
struct XmlPath {
    std::string_view path;
    XmlAction action;
};

// Follows the open elements of a document and tells the path each one matches.
class XmlPathFollower {
public:
    // At most 254 paths, of at most 255 names in all.
    explicit XmlPathFollower(std::span<const XmlPath> paths);

    // An element starts (its name as written): the action of the first path that
    // matches it and that canTake allows; nothing when none does.
    template <typename CanTake>
    std::optional<XmlAction> started(std::string_view name, CanTake canTake)
    {
        const std::uint8_t code = codeOf(name.substr(name.rfind(':') + 1)); // npos + 1 is 0
        std::uint8_t chosen = kNone;
        for (std::uint8_t r = firstRule_[code]; r < firstRule_[code + 1]; ++r) {
            if (matches(rules_[r]) && canTake(rules_[r].action)) {
                chosen = r;
                break;
            }
        }
        open_.push_back({code, chosen});
        return actionOf(chosen);
    }

    // The innermost open element ends: its action, if it matched a path.
    std::optional<XmlAction> ended()
    {
        const std::uint8_t rule = open_.back().rule;
        open_.pop_back();
        return actionOf(rule);
    }

private:
    static constexpr std::uint8_t kNone = 0xFF;

    struct Rule {
        std::vector<std::uint8_t> parents; // the codes of the names before the element's
        XmlAction action;
    };
    struct Open {
        std::uint8_t code; // 0: a name no path holds
        std::uint8_t rule; // the path it matched, or kNone
    };

    // Called for every element: most names are none of the few a format knows, and
    // differ from them in length or first letter.
    std::uint8_t codeOf(std::string_view localName) const
    {
        for (std::size_t k = 0; k < names_.size(); ++k) {
            const std::string_view name = names_[k];
            if (name.size() == localName.size() && name[0] == localName[0] && name == localName)
                return static_cast<std::uint8_t>(k + 1);
        }
        return 0;
    }
    bool matches(const Rule& rule) const;
    std::optional<XmlAction> actionOf(std::uint8_t rule) const
    {
        return rule == kNone ? std::nullopt : std::optional<XmlAction>(rules_[rule].action);
    }

    std::vector<std::string_view> names_; // code k is names_[k - 1]
    std::vector<Rule> rules_;             // by the code of their element, else in table order
    std::vector<std::uint8_t> firstRule_; // of each code; of code + 1, one past its last
    std::vector<Open> open_;
};

} // namespace passcat::tracks
