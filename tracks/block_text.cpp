#include "tracks/block_text.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace passcat::tracks {
namespace {

// A whole number with a point put before its last decimals digits, at least one
// digit before the point; what is no finite number as to_chars writes it.
void AppendScaled(std::string& out, double whole, std::size_t decimals)
{
    char digits[400]; // the largest double has 309 digits
    const char* const end =
        std::to_chars(digits, digits + sizeof digits, std::fabs(whole), std::chars_format::fixed, 0).ptr;
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    if (whole < 0) // not for a negative zero
        out.push_back('-');
    if (!std::isfinite(whole)) {
        out.append(text);
    } else if (text.size() <= decimals) {
        out.append("0.");
        out.append(decimals - text.size(), '0');
        out.append(text);
    } else {
        out.append(text.substr(0, text.size() - decimals));
        out.push_back('.');
        out.append(text.substr(text.size() - decimals));
    }
}

} // namespace

void AppendDistanceText(std::string& out, double metres) { AppendScaled(out, std::round(metres), 3); }

void AppendHeightText(std::string& out, double metres) { AppendScaled(out, std::round(metres * 10.0), 1); }

void AppendClimbLines(std::span<const double> s, std::span<const double> h, std::span<const std::size_t> kept,
                      std::string_view surface, std::string& out)
{
    if (kept.empty())
        return;
    const double start = s[kept.front()];
    // The points written, by their whole metres from the start.
    std::vector<std::pair<std::size_t, double>> written;
    written.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const double metres = std::round(s[kept[i]] - start);
        if (written.empty() || metres != written.back().second)
            written.push_back({kept[i], metres});
        else if (i + 1 == kept.size() && written.size() > 1)
            written.back() = {kept[i], metres};
    }
    for (const auto& [k, metres] : written) {
        AppendHeightText(out, h[k]);
        out.push_back('\t');
        AppendDistanceText(out, metres);
        out.push_back('\t');
        out.append(surface);
        out.append("\r\n");
    }
}

} // namespace passcat::tracks
