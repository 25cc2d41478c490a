#include "text/whitespace.h"

namespace passcat {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string NormalizedName(std::string_view name)
{
    name = Trimmed(name);
    std::string normalized;
    normalized.reserve(name.size());
    bool inSpace = false;
    for (const char c : name) {
        if (IsSpace(c)) {
            inSpace = true;
            continue;
        }
        if (inSpace)
            normalized.push_back(' ');
        inSpace = false;
        normalized.push_back(c);
    }
    return normalized;
}

} // namespace passcat
