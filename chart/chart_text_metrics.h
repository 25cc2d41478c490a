#pragma once

#include <string>
#include <string_view>

#include "chart/chart_display_list.h"

namespace passcat {

// The measures of a line of text as the painter will draw it, in page units: the
// layout needs them to place texts, and only the painter's side knows the font.
class ChartTextMetrics {
public:
    virtual ~ChartTextMetrics() = default;

    // The advance of the whole line (UTF-8).
    virtual double width(std::string_view text, const Font& font) const = 0;
    // The line whole when it is no wider than limit; otherwise its longest start
    // (whole characters) that fits with "…" after it, measured as width() would
    // measure the shortened line, or "…" alone.
    virtual std::string shortened(std::string_view text, const Font& font, double limit) const = 0;
    virtual double ascent(const Font& font) const = 0;
    virtual double descent(const Font& font) const = 0;
};

} // namespace passcat
