#include "tracks/xml_paths.h"

#include <algorithm>

namespace passcat::tracks {

XmlPathFollower::XmlPathFollower(std::span<const XmlPath> paths)
{
    std::vector<std::pair<std::uint8_t, Rule>> coded; // the element's code and the rule
    for (const XmlPath& path : paths) {
        Rule rule{{}, path.action};
        for (std::string_view rest = path.path;;) {
            const std::string_view name = rest.substr(0, rest.find('/'));
            if (codeOf(name) == 0)
                names_.push_back(name);
            if (name.size() == rest.size()) {
                coded.emplace_back(codeOf(name), std::move(rule));
                break;
            }
            rule.parents.push_back(codeOf(name));
            rest.remove_prefix(name.size() + 1);
        }
    }
    std::stable_sort(coded.begin(), coded.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    firstRule_.assign(names_.size() + 2, 0);
    for (const auto& [code, rule] : coded) {
        ++firstRule_[code + 1];
        rules_.push_back(rule);
    }
    for (std::size_t k = 1; k < firstRule_.size(); ++k)
        firstRule_[k] = static_cast<std::uint8_t>(firstRule_[k] + firstRule_[k - 1]);
}

bool XmlPathFollower::matches(const Rule& rule) const
{
    const std::size_t parents = rule.parents.size();
    if (parents == 0)
        return true;
    if (open_.size() < parents)
        return false;
    const Open* first = open_.data() + (open_.size() - parents);
    return first->rule != kNone && std::equal(rule.parents.begin(), rule.parents.end(), first, first + parents,
                                              [](std::uint8_t code, const Open& open) { return code == open.code; });
}

} // namespace passcat::tracks
