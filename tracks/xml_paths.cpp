#include "tracks/xml_paths.h"

#include <algorithm>
#include <utility>

namespace passcat::tracks {
namespace {

std::vector<std::string_view> NamesOf(std::string_view path)
{
    std::vector<std::string_view> names;
    for (std::size_t slash = path.find('/'); slash != std::string_view::npos; slash = path.find('/')) {
        names.push_back(path.substr(0, slash));
        path.remove_prefix(slash + 1);
    }
    names.push_back(path);
    return names;
}

unsigned FirstLetter(std::string_view name) { return name.empty() ? 0 : static_cast<unsigned char>(name[0]); }

} // namespace

XmlPathFollower::XmlPathFollower(std::span<const XmlPath> paths)
{
    for (const XmlPath& path : paths) {
        for (const std::string_view name : NamesOf(path.path)) {
            if (std::find(names_.begin(), names_.end(), name) == names_.end())
                names_.push_back(name);
        }
    }
    std::stable_sort(names_.begin(), names_.end(),
                     [](std::string_view a, std::string_view b) { return FirstLetter(a) < FirstLetter(b); });
    for (unsigned letter = 0; letter < firstCode_.size(); ++letter) {
        const auto before = std::count_if(names_.begin(), names_.end(),
                                          [&](std::string_view name) { return FirstLetter(name) < letter; });
        firstCode_[letter] = static_cast<std::uint8_t>(before + 1);
    }

    std::vector<std::pair<std::uint8_t, Rule>> coded; // the element's code and its rule
    for (const XmlPath& path : paths) {
        const std::vector<std::string_view> names = NamesOf(path.path);
        Rule rule{{}, path.action};
        for (std::size_t k = 0; k + 1 < names.size(); ++k)
            rule.parents.push_back(codeOf(names[k]));
        coded.emplace_back(codeOf(names.back()), std::move(rule));
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

} // namespace passcat::tracks
