#pragma once

#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/chart_text_metrics.h"

namespace passcat {

// Every chart is drawn in DejaVu Sans, built into the program, so that it looks the
// same on every machine whatever fonts are installed. Loads it the first time; false
// when it cannot be loaded. Needs a QGuiApplication.
bool LoadChartFont();

// The built-in font's family for text that Qt lays out itself (the documents),
// registered with the application the first time; empty when it cannot be.
QString ChartFontFamily();

// A line of text as outlines, its baseline starting at the origin, and its advance.
struct TextOutline {
    QPainterPath path;
    double width = 0;
};

// A line of text as glyphs of the built-in font, for a back end that keeps texts as
// text (PDF), and its advance.
struct TextGlyphs {
    QGlyphRun run;
    double width = 0;
};

// The built-in font at the sizes asked for, each loaded once, and the outlines of the
// glyphs drawn, each made once (FreeType runs the font's programs for every one);
// unhinted, so that outlines and advances do not depend on the screen or the
// platform. Every family and weight is drawn in it. Keeping one for many charts saves
// loading the font for each; one thread at a time.
class ChartFonts final : public ChartTextMetrics {
public:
    double width(std::string_view text, const Font& font) const override;
    std::string shortened(std::string_view text, const Font& font, double limit) const override;
    double ascent(const Font& font) const override;
    double descent(const Font& font) const override;

    TextOutline outline(std::string_view text, const Font& font) const;
    TextGlyphs glyphs(std::string_view text, const Font& font) const;

private:
    const QRawFont& at(double pixelSize) const;
    const QRawFont& registeredAt(double pixelSize) const;
    const QPainterPath& glyphPath(const QRawFont& font, double pixelSize, quint32 glyph) const;

    mutable std::vector<std::pair<double, QRawFont>> fonts_;
    mutable std::vector<std::pair<double, QRawFont>> registeredFonts_;
    mutable std::map<std::pair<double, quint32>, QPainterPath> glyphPaths_; // by pixel size and glyph
};

} // namespace passcat
