#include "tracks/xml_paths.h"

#include <algorithm>

namespace passcat::tracks {

XmlPathFollower::XmlPathFollower(std::span<const XmlPath> paths)
{
    for (const XmlPath& path : paths) {
        Rule rule{{}, path.action};
        for (std::string_view rest = path.path;;) {
            const std::string_view name = rest.substr(0, rest.find('/'));
            if (codeOf(name) == 0)
                names_.push_back(name);
            rule.codes.push_back(codeOf(name));
            if (name.size() == rest.size())
                break;
            rest.remove_prefix(name.size() + 1);
        }
        rules_.push_back(std::move(rule));
    }
}

std::string_view XmlPathFollower::LocalName(std::string_view name)
{
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::uint8_t XmlPathFollower::codeOf(std::string_view localName) const
{
    const auto found = std::find(names_.begin(), names_.end(), localName);
    return found == names_.end() ? 0 : static_cast<std::uint8_t>(found - names_.begin() + 1);
}

bool XmlPathFollower::matches(const Rule& rule) const
{
    const std::size_t parents = rule.codes.size() - 1;
    if (parents == 0)
        return true;
    if (open_.size() < parents)
        return false;
    const Open* first = open_.data() + (open_.size() - parents);
    return first->rule != kNone &&
           std::equal(rule.codes.begin(), rule.codes.end() - 1, first, first + parents,
                      [](std::uint8_t code, const Open& open) { return code == open.code; });
}

} // namespace passcat::tracks
