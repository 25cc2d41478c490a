#pragma once

#include <QPainterPath>
#include <QRawFont>

#include <string_view>
#include <utility>
#include <vector>

#include "chart/chart_text_metrics.h"

namespace passcat {

// Every chart is drawn in DejaVu Sans, built into the program, so that it looks the
// same on every machine whatever fonts are installed. Loads it the first time; false
// when it cannot be loaded. Needs a QGuiApplication.
bool LoadChartFont();

// A line of text as outlines, its baseline starting at the origin, and its advance.
struct TextOutline {
    QPainterPath path;
    double width = 0;
};

// The built-in font at the sizes asked for, each loaded once; unhinted, so that
// outlines and advances do not depend on the screen or the platform. Every family
// and weight is drawn in it.
class ChartFonts final : public ChartTextMetrics {
public:
    double width(std::string_view text, const Font& font) const override;
    std::string shortened(std::string_view text, const Font& font, double limit) const override;
    double ascent(const Font& font) const override;
    double descent(const Font& font) const override;

    TextOutline outline(std::string_view text, const Font& font) const;

private:
    const QRawFont& at(double pixelSize) const;

    mutable std::vector<std::pair<double, QRawFont>> fonts_;
};

} // namespace passcat
