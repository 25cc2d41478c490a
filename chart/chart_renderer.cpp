#include "chart/chart_renderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "chart/chart_font.h"

namespace passcat {
namespace {

// Sizes in the page's units.
constexpr double kMargin = 40;
constexpr double kGap = 14;
constexpr double kTitleSize = 40;
constexpr double kTextSize = 24;
constexpr double kAxisTitleSize = 26;
constexpr double kSwatchWidth = 34;
constexpr double kSwatchHeight = 24;
constexpr double kLegendPitch = 40;
constexpr double kMarkRadius = 10;
constexpr double kBoxPadding = 12;

const QColor kInk(0x1A, 0x1A, 0x1A);
const QColor kFrame(0x40, 0x40, 0x40);
const QColor kGrid(0xDD, 0xDD, 0xDD);

QColor ColourOf(int category)
{
    const Rgb colour = CategoryColour(category);
    return {colour.red, colour.green, colour.blue};
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A line of text as outlines, its baseline starting at the origin: the same on
// every device and in every viewer.
struct TextShape {
    QPainterPath path;
    double width = 0;
};

class Typeface {
public:
    explicit Typeface(double size) : font_(ChartFont(size)) {}

    TextShape shape(const QString& text) const
    {
        TextShape shape;
        const QList<quint32> glyphs = font_.glyphIndexesForString(text);
        const QList<QPointF> advances =
            font_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
        for (qsizetype k = 0; k < glyphs.size(); ++k) {
            shape.path.addPath(font_.pathForGlyph(glyphs[k]).translated(shape.width, 0));
            shape.width += advances[k].x();
        }
        return shape;
    }

    // Cut at the end, with an ellipsis, where it is wider than width.
    TextShape shapeWithin(const QString& text, double width) const
    {
        TextShape whole = shape(text);
        for (qsizetype length = text.size(); whole.width > width && length > 0; --length)
            whole = shape(text.left(length - 1) + QChar(0x2026));
        return whole;
    }

    double ascent() const { return font_.ascent(); }
    double height() const { return font_.ascent() + font_.descent(); }

private:
    QRawFont font_;
};

void FillText(QPainter& painter, const TextShape& text, QPointF baselineStart, const QColor& colour = kInk)
{
    painter.fillPath(text.path.translated(baselineStart), colour);
}

double Widest(const std::vector<TextShape>& shapes)
{
    double widest = 0;
    for (const TextShape& shape : shapes)
        widest = std::max(widest, shape.width);
    return widest;
}

// Every how many'th tick is labelled, so that neighbouring labels keep apart.
std::size_t LabelEvery(double tickSpacing, double labelExtent)
{
    std::size_t every = 1;
    while (static_cast<double>(every) * tickSpacing < labelExtent + kGap && every < 1000)
        ++every;
    return every;
}

class ChartPainter {
public:
    ChartPainter(QPainter& painter, const ChartModel& model)
        : p_(painter), m_(model), title_(kTitleSize), text_(kTextSize), axisTitle_(kAxisTitleSize)
    {
        for (const std::string& label : m_.xAxis.tickLabels)
            xLabels_.push_back(text_.shape(FromUtf8(label)));
        for (const std::string& label : m_.yAxis.tickLabels)
            yLabels_.push_back(text_.shape(FromUtf8(label)));
        for (const LegendEntry& entry : m_.legend)
            legendLabels_.push_back(text_.shape(FromUtf8(entry.label)));

        const double page = kChartPage.width();
        const double legendWidth = kSwatchWidth + kGap + Widest(legendLabels_);
        legendLeft_ = page - kMargin - legendWidth;
        const double top = kMargin + title_.height() + 2 * kGap;
        const double left = kMargin + axisTitle_.height() + kGap + Widest(yLabels_) + kGap;
        const double right = m_.legend.empty() ? page - kMargin : legendLeft_ - 3 * kGap;
        const double bottom = kChartPage.height() - kMargin - axisTitle_.height() - kGap - text_.height() - kGap;
        plot_ = QRectF(QPointF(left, top), QPointF(right, bottom));
        page_.reserve(m_.xs.size());
        for (std::size_t i = 0; i < m_.xs.size(); ++i)
            page_.emplace_back(x(m_.xs[i]), y(m_.ys[i]));
    }

    void paint()
    {
        p_.fillRect(QRectF(QPointF(0, 0), QSizeF(kChartPage)), Qt::white);
        paintTitles();
        paintGridAndLabels();
        p_.save();
        p_.setClipRect(plot_);
        paintFills();
        paintProfile();
        p_.restore();
        p_.setPen(QPen(kFrame, 1.5));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(plot_);
        paintLegend();
        paintMark();
    }

private:
    // Page position of an axis value; halves first, so that extreme ranges do not overflow.
    static double Along(double value, const ChartAxis& axis)
    {
        const double span = axis.high / 2 - axis.low / 2;
        return span > 0 ? (value / 2 - axis.low / 2) / span : 0;
    }
    double x(double value) const { return plot_.left() + Along(value, m_.xAxis) * plot_.width(); }
    double y(double value) const { return plot_.bottom() - Along(value, m_.yAxis) * plot_.height(); }
    // Finer than a pixel of the PNG, and of the window on a high-density screen.
    double columnOf(std::size_t point) const { return std::max(0.0, std::floor(page_[point].x() * 2)); }

    void paintTitles()
    {
        const TextShape title = title_.shapeWithin(FromUtf8(m_.title), kChartPage.width() - 2 * kMargin);
        FillText(p_, title, {kMargin, kMargin + title_.ascent()});

        const TextShape distance = axisTitle_.shape(QStringLiteral("Расстояние, км"));
        FillText(p_, distance, {plot_.center().x() - distance.width / 2, kChartPage.height() - kMargin - 6});

        const TextShape height = axisTitle_.shape(QStringLiteral("Высота, м"));
        p_.save();
        p_.translate(kMargin + axisTitle_.ascent(), plot_.center().y() + height.width / 2);
        p_.rotate(-90);
        FillText(p_, height, {0, 0});
        p_.restore();
    }

    void paintGridAndLabels()
    {
        p_.setBrush(Qt::NoBrush);
        const auto& xTicks = m_.xAxis.ticks;
        const std::size_t xEvery =
            xTicks.size() > 1 ? LabelEvery(plot_.width() / static_cast<double>(xTicks.size() - 1), Widest(xLabels_)) : 1;
        for (std::size_t k = 0; k < xTicks.size(); ++k) {
            const double at = x(xTicks[k]);
            p_.setPen(QPen(kGrid, 1.5));
            p_.drawLine(QPointF(at, plot_.top()), QPointF(at, plot_.bottom()));
            p_.setPen(QPen(kFrame, 1.5));
            p_.drawLine(QPointF(at, plot_.bottom()), QPointF(at, plot_.bottom() + 8));
            if (k % xEvery == 0)
                FillText(p_, xLabels_[k], {at - xLabels_[k].width / 2, plot_.bottom() + kGap + text_.ascent()});
        }
        const auto& yTicks = m_.yAxis.ticks;
        const std::size_t yEvery =
            yTicks.size() > 1 ? LabelEvery(plot_.height() / static_cast<double>(yTicks.size() - 1), text_.height()) : 1;
        for (std::size_t k = 0; k < yTicks.size(); ++k) {
            const double at = y(yTicks[k]);
            p_.setPen(QPen(kGrid, 1.5));
            p_.drawLine(QPointF(plot_.left(), at), QPointF(plot_.right(), at));
            p_.setPen(QPen(kFrame, 1.5));
            p_.drawLine(QPointF(plot_.left() - 8, at), QPointF(plot_.left(), at));
            if (k % yEvery == 0) {
                const QPointF start(plot_.left() - kGap - yLabels_[k].width, at + text_.ascent() / 2 - 2);
                FillText(p_, yLabels_[k], start);
            }
        }
    }

    // The points first to last as drawn: of those in one column of the page, only
    // the first, the lowest, the highest and the last, which draw the same line.
    void appendDrawn(QPolygonF& out, std::size_t first, std::size_t last) const
    {
        for (std::size_t i = first; i <= last;) {
            const double column = columnOf(i);
            std::size_t start = i;
            std::size_t top = i;
            std::size_t bottom = i;
            for (; i <= last && columnOf(i) == column; ++i) {
                top = page_[i].y() < page_[top].y() ? i : top;
                bottom = page_[i].y() > page_[bottom].y() ? i : bottom;
            }
            const std::size_t kept[] = {start, std::min(top, bottom), std::max(top, bottom), i - 1};
            for (std::size_t k = 0; k < 4; ++k) {
                if (k == 0 || kept[k] != kept[k - 1])
                    out.append(page_[kept[k]]);
            }
        }
    }

    // The areas as drawn: those that lie within one column of the page together, in
    // the colour of the category that covers most of it; neighbours of one category
    // as one.
    std::vector<ChartFill> drawnFills() const
    {
        std::vector<ChartFill> drawn;
        std::array<double, kChartCategoryCount> widths{}; // in the column drawn.back() gathers
        double gathering = -1;                             // that column; -1: none
        for (const ChartFill& fill : m_.fills) {
            const double column = columnOf(fill.first);
            if (column != columnOf(fill.last)) {
                drawn.push_back(fill);
                gathering = -1;
                continue;
            }
            if (column != gathering) {
                drawn.push_back(fill);
                widths.fill(0);
                gathering = column;
            }
            widths[static_cast<std::size_t>(fill.category)] += std::abs(page_[fill.last].x() - page_[fill.first].x());
            drawn.back().last = fill.last;
            const auto widest = std::max_element(widths.begin(), widths.end());
            if (*widest > 0)
                drawn.back().category = static_cast<int>(widest - widths.begin());
        }
        std::vector<ChartFill> merged;
        for (const ChartFill& fill : drawn) {
            if (!merged.empty() && merged.back().category == fill.category)
                merged.back().last = fill.last;
            else
                merged.push_back(fill);
        }
        return merged;
    }

    // An area reaches half a unit into the next one, so that neighbours meet without
    // a light seam.
    void paintFills()
    {
        p_.setPen(Qt::NoPen);
        QPolygonF area;
        for (const ChartFill& fill : drawnFills()) {
            area.clear();
            appendDrawn(area, fill.first, fill.last);
            const double right = page_[fill.last].x() + (fill.last + 1 < page_.size() ? 0.5 : 0);
            area.append({right, page_[fill.last].y()});
            area.append({right, plot_.bottom()});
            area.append({page_[fill.first].x(), plot_.bottom()});
            p_.setBrush(ColourOf(fill.category));
            p_.drawPolygon(area);
        }
    }

    void paintProfile()
    {
        QPolygonF line;
        if (!page_.empty())
            appendDrawn(line, 0, page_.size() - 1);
        p_.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
        p_.setBrush(Qt::NoBrush);
        p_.drawPolyline(line);
    }

    void paintLegend()
    {
        for (std::size_t k = 0; k < m_.legend.size(); ++k) {
            const double top = plot_.top() + static_cast<double>(k) * kLegendPitch;
            p_.setPen(QPen(kFrame, 1.5));
            p_.setBrush(ColourOf(m_.legend[k].category));
            p_.drawRect(QRectF(legendLeft_, top, kSwatchWidth, kSwatchHeight));
            const double baseline = top + kSwatchHeight / 2 + text_.ascent() / 2 - 2;
            FillText(p_, legendLabels_[k], {legendLeft_ + kSwatchWidth + kGap, baseline});
        }
    }

    // How much a box would hide: 0 above the profile, 1 on the area under it, 2 on
    // the line itself.
    int coverOf(const QRectF& box) const
    {
        double top = plot_.bottom();
        double bottom = plot_.top();
        bool any = false;
        for (std::size_t i = 0; i + 1 < page_.size(); ++i) {
            const QPointF a = page_[i];
            const QPointF b = page_[i + 1];
            const double left = std::max(std::min(a.x(), b.x()), box.left());
            const double right = std::min(std::max(a.x(), b.x()), box.right());
            if (left > right)
                continue;
            const auto heightAt = [&](double at) {
                return a.x() == b.x() ? a.y() : a.y() + (b.y() - a.y()) * (at - a.x()) / (b.x() - a.x());
            };
            for (const double at : {heightAt(left), heightAt(right)}) {
                top = std::min(top, at);
                bottom = std::max(bottom, at);
            }
            any = true;
        }
        if (!any || box.bottom() < top)
            return 0;
        return box.top() > bottom ? 1 : 2;
    }

    // The recommended point, and beside it its category and score in a box placed
    // where it hides the least of the profile.
    void paintMark()
    {
        if (!m_.mark)
            return;
        const QPointF at(x(m_.mark->x), y(m_.mark->y));
        const std::vector<TextShape> lines = {text_.shape(QStringLiteral("Рекомендуемая точка")),
                                              text_.shape(FromUtf8(m_.mark->categoryText)),
                                              text_.shape(FromUtf8(m_.mark->scoreText))};
        const double lineHeight = text_.height() + 4;
        const QSizeF size(Widest(lines) + 2 * kBoxPadding, 3 * lineHeight + 2 * kBoxPadding - 4);

        const double offset = 2 * kMarkRadius + kGap;
        QRectF best;
        double bestScore = 0;
        for (const double left : {at.x() + offset, at.x() - offset - size.width()}) {
            for (const double top : {at.y() - offset - size.height(), at.y() + offset, plot_.top() + kGap,
                                     plot_.bottom() - kGap - size.height()}) {
                QRectF box(QPointF(left, top), size);
                box.moveLeft(std::clamp(box.left(), plot_.left() + kGap, plot_.right() - kGap - box.width()));
                box.moveTop(std::clamp(box.top(), plot_.top() + kGap, plot_.bottom() - kGap - box.height()));
                const QPointF fromMark = box.center() - at;
                const bool hidesMark = box.adjusted(-kGap, -kGap, kGap, kGap).contains(at);
                const double score = 10000.0 * (coverOf(box) + (hidesMark ? 3 : 0)) + std::hypot(fromMark.x(), fromMark.y());
                if (best.isNull() || score < bestScore) {
                    best = box;
                    bestScore = score;
                }
            }
        }

        const QPointF corner(std::clamp(at.x(), best.left(), best.right()), std::clamp(at.y(), best.top(), best.bottom()));
        p_.setPen(QPen(kFrame, 1.5));
        p_.drawLine(at, corner);
        p_.setBrush(QColor(255, 255, 255, 235));
        p_.drawRect(best);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const double baseline = best.top() + kBoxPadding + text_.ascent() + static_cast<double>(k) * lineHeight;
            FillText(p_, lines[k], {best.left() + kBoxPadding, baseline});
        }
        p_.setPen(QPen(Qt::black, 3));
        p_.setBrush(Qt::white);
        p_.drawEllipse(at, kMarkRadius, kMarkRadius);
        p_.setPen(Qt::NoPen);
        p_.setBrush(ColourOf(m_.mark->category));
        p_.drawEllipse(at, kMarkRadius / 2, kMarkRadius / 2);
    }

    QPainter& p_;
    const ChartModel& m_;
    Typeface title_;
    Typeface text_;
    Typeface axisTitle_;
    std::vector<TextShape> xLabels_;
    std::vector<TextShape> yLabels_;
    std::vector<TextShape> legendLabels_;
    double legendLeft_ = 0;
    QRectF plot_;
    std::vector<QPointF> page_; // the profile's points on the page
};

} // namespace

void PaintChart(QPainter& painter, const ChartModel& model, const QRectF& target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(target.width() / kChartPage.width(), target.height() / kChartPage.height());
    painter.translate(target.center() - QPointF(kChartPage.width(), kChartPage.height()) * (scale / 2));
    painter.scale(scale, scale);
    ChartPainter(painter, model).paint();
    painter.restore();
}

QImage RenderChartImage(const ChartModel& model, QSize pixels, qreal devicePixelRatio)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, model, QRectF(QPointF(0, 0), QSizeF(pixels) / devicePixelRatio));
    return image;
}

QByteArray RenderChart(const ChartModel& model, ChartFormat format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == ChartFormat::Png) {
        if (!RenderChartImage(model, kChartPage).save(&buffer, "PNG"))
            return {};
        return buffer.data();
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(kChartPage);
    svg.setViewBox(QRect(QPoint(0, 0), kChartPage));
    svg.setResolution(254); // 1600 units across 160 mm
    svg.setTitle(FromUtf8(model.title));
    svg.setDescription(QStringLiteral("Профиль препятствия"));
    QPainter painter(&svg);
    // Text is drawn as outlines; a fixed font keeps the system's default out of what
    // the SVG records of the painter's state.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(kTextSize));
    painter.setFont(font);
    PaintChart(painter, model, QRectF(QPointF(0, 0), QSizeF(kChartPage)));
    painter.end();
    return buffer.data();
}

} // namespace passcat
