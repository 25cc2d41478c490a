#include "chart/chart_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

#include <vector>

namespace passcat {
namespace {

const QByteArray& FontData()
{
    static const QByteArray data = [] {
        QFile file(QStringLiteral(":/chart/DejaVuSans.ttf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return data;
}

// The built-in font as registered with the application (ChartFontFamily), invalid
// when it cannot be registered.
QRawFont RegisteredFontAt(double pixelSize)
{
    if (ChartFontFamily().isEmpty())
        return {};
    QFont font(ChartFontFamily());
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    raw.setPixelSize(pixelSize);
    return raw;
}

// The font made from its bytes; where the platform cannot make it so (the Windows
// platform of a widgets program under wine cannot), the same font as registered.
QRawFont FontAt(double pixelSize)
{
    const QRawFont font(FontData(), pixelSize, QFont::PreferNoHinting);
    return font.isValid() ? font : RegisteredFontAt(pixelSize);
}

// The glyphs of a line and their kerned advances.
struct GlyphRun {
    QList<quint32> glyphs;
    QList<QPointF> advances;
};

GlyphRun GlyphsOf(const QRawFont& font, std::string_view text)
{
    GlyphRun run;
    run.glyphs = font.glyphIndexesForString(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    run.advances = font.advancesForGlyphIndexes(run.glyphs, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
    return run;
}

} // namespace

bool LoadChartFont()
{
    return FontAt(12).isValid();
}

QString ChartFontFamily()
{
    static const QString family =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFontFromData(FontData())).value(0);
    return family;
}

const QRawFont& ChartFonts::at(double pixelSize) const
{
    for (const auto& [size, font] : fonts_) {
        if (size == pixelSize)
            return font;
    }
    return fonts_.emplace_back(pixelSize, FontAt(pixelSize)).second;
}

// The same font as registered with the application (ChartFontFamily): a PDF embeds
// its glyphs as text, where those of a raw font made from bytes, which has no file
// name, would become outlines.
const QRawFont& ChartFonts::registeredAt(double pixelSize) const
{
    for (const auto& [size, font] : registeredFonts_) {
        if (size == pixelSize)
            return font;
    }
    return registeredFonts_.emplace_back(pixelSize, RegisteredFontAt(pixelSize)).second;
}

const QPainterPath& ChartFonts::glyphPath(const QRawFont& font, double pixelSize, quint32 glyph) const
{
    const auto [place, added] = glyphPaths_.try_emplace({pixelSize, glyph});
    if (added)
        place->second = font.pathForGlyph(glyph);
    return place->second;
}

double ChartFonts::width(std::string_view text, const Font& font) const
{
    double width = 0; // in the order outline() adds up, to the last bit
    for (const QPointF& advance : GlyphsOf(at(font.size), text).advances)
        width += advance.x();
    return width;
}

std::string ChartFonts::shortened(std::string_view text, const Font& font, double limit) const
{
    const QRawFont& raw = at(font.size);
    const GlyphRun run = GlyphsOf(raw, text);
    // Sums in the order width() adds up, so that the cut falls where measuring
    // every shortened line would put it; one glyph a character.
    std::vector<double> before{0}; // the advance of the first k glyphs, kerned as in the line
    before.reserve(static_cast<std::size_t>(run.glyphs.size()) + 1);
    for (const QPointF& advance : run.advances)
        before.push_back(before.back() + advance.x());
    if (!(before.back() > limit))
        return std::string(text);

    static constexpr std::string_view kEllipsis = "…";
    const quint32 ellipsis = GlyphsOf(raw, kEllipsis).glyphs.front();
    std::size_t end = text.size();
    for (qsizetype kept = run.glyphs.size() - 1; kept > 0; --kept) {
        do
            --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
        // Only the last kept glyph's advance changes: it is kerned against the ellipsis now.
        const QList<QPointF> tail = raw.advancesForGlyphIndexes(
            QList<quint32>{run.glyphs[kept - 1], ellipsis}, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
        if (!(before[static_cast<std::size_t>(kept - 1)] + tail[0].x() + tail[1].x() > limit))
            return std::string(text.substr(0, end)).append(kEllipsis);
    }
    return std::string(kEllipsis);
}

double ChartFonts::ascent(const Font& font) const
{
    return at(font.size).ascent();
}

double ChartFonts::descent(const Font& font) const
{
    return at(font.size).descent();
}

TextOutline ChartFonts::outline(std::string_view text, const Font& font) const
{
    const QRawFont& raw = at(font.size);
    const GlyphRun run = GlyphsOf(raw, text);
    TextOutline outline;
    for (qsizetype k = 0; k < run.glyphs.size(); ++k) {
        outline.path.addPath(glyphPath(raw, font.size, run.glyphs[k]).translated(outline.width, 0));
        outline.width += run.advances[k].x();
    }
    return outline;
}

TextGlyphs ChartFonts::glyphs(std::string_view text, const Font& font) const
{
    const QRawFont& raw = at(font.size);
    const GlyphRun run = GlyphsOf(raw, text);
    TextGlyphs glyphs;
    QList<QPointF> positions;
    positions.reserve(run.glyphs.size());
    for (const QPointF& advance : run.advances) {
        positions.append(QPointF(glyphs.width, 0));
        glyphs.width += advance.x(); // as outline() adds up
    }
    glyphs.run.setRawFont(registeredAt(font.size)); // the same glyphs, by their indexes
    glyphs.run.setGlyphIndexes(run.glyphs);
    glyphs.run.setPositions(positions);
    return glyphs;
}

} // namespace passcat
