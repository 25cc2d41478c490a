#include "chart/chart_painter.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>

#include "chart/chart_font.h"

namespace passcat {
namespace {

QColor ColorOf(const Colour& colour)
{
    return {colour.red, colour.green, colour.blue, colour.alpha};
}

QPointF PointOf(const Point& point)
{
    return {point.x, point.y};
}

QRectF RectOf(const Rect& rect)
{
    return {rect.x, rect.y, rect.width, rect.height};
}

QPolygonF PolygonOf(const std::vector<Point>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& point : points)
        polygon.append(PointOf(point));
    return polygon;
}

QPen PenOf(const Stroke& stroke)
{
    return {ColorOf(stroke.colour), stroke.width, Qt::SolidLine,
            stroke.cap == LineCap::Round ? Qt::RoundCap : Qt::SquareCap, Qt::BevelJoin};
}

class ListPainter {
public:
    ListPainter(QPainter& painter, TextPainting texts, const ChartFonts& fonts)
        : p_(painter), texts_(texts), fonts_(fonts)
    {
    }

    void operator()(const Rectangle& shape)
    {
        setPaint(shape.fill, shape.stroke);
        p_.drawRect(RectOf(shape.rect));
    }

    void operator()(const Line& shape)
    {
        p_.setPen(PenOf(shape.stroke));
        p_.drawLine(PointOf(shape.from), PointOf(shape.to));
    }

    void operator()(const Polyline& shape)
    {
        setPaint(std::nullopt, shape.stroke);
        p_.drawPolyline(PolygonOf(shape.points));
    }

    void operator()(const Polygon& shape)
    {
        setPaint(shape.fill, std::nullopt);
        p_.drawPolygon(PolygonOf(shape.points));
    }

    void operator()(const Circle& shape)
    {
        setPaint(shape.fill, shape.stroke);
        p_.drawEllipse(PointOf(shape.centre), shape.radius, shape.radius);
    }

    void operator()(const Text& shape)
    {
        if (texts_ == TextPainting::Glyphs) {
            const TextGlyphs text = fonts_.glyphs(shape.text, shape.font);
            p_.setPen(ColorOf(shape.colour));
            place(shape, text.width, [&](QPointF start) { p_.drawGlyphRun(start, text.run); });
            return;
        }
        const TextOutline text = fonts_.outline(shape.text, shape.font);
        place(shape, text.width, [&](QPointF start) {
            p_.fillPath(start.isNull() ? text.path : text.path.translated(start), ColorOf(shape.colour));
        });
    }

    void operator()(const ClipTo& shape)
    {
        p_.save();
        p_.setClipRect(RectOf(shape.rect));
    }

    void operator()(const Unclip&) { p_.restore(); }

private:
    // Draws a text of the width given from where its baseline starts; a turned text is
    // turned about that start.
    template <typename Draw>
    void place(const Text& shape, double width, Draw draw)
    {
        const double before = shape.anchor == TextAnchor::Start    ? 0
                              : shape.anchor == TextAnchor::Middle ? width / 2
                                                                   : width;
        if (shape.rotation == 0) {
            draw(QPointF(shape.at.x - before, shape.at.y));
            return;
        }
        p_.save();
        p_.translate(PointOf(shape.at) + QTransform().rotate(shape.rotation).map(QPointF(-before, 0)));
        p_.rotate(shape.rotation);
        draw(QPointF());
        p_.restore();
    }

    void setPaint(const std::optional<Colour>& fill, const std::optional<Stroke>& stroke)
    {
        p_.setPen(stroke ? PenOf(*stroke) : QPen(Qt::NoPen));
        p_.setBrush(fill ? QBrush(ColorOf(*fill)) : QBrush(Qt::NoBrush));
    }

    QPainter& p_;
    TextPainting texts_;
    const ChartFonts& fonts_;
};

} // namespace

ChartPlacement PlaceChart(const ChartDisplayList& list, const QRectF& target)
{
    const double scale = std::min(target.width() / list.width, target.height() / list.height);
    return {target.center() - QPointF(list.width, list.height) * (scale / 2), scale};
}

void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target, TextPainting texts)
{
    PaintChart(painter, list, target, texts, ChartFonts());
}

void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target, TextPainting texts,
                const ChartFonts& fonts)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const ChartPlacement placement = PlaceChart(list, target);
    painter.translate(placement.offset);
    painter.scale(placement.scale, placement.scale);
    ListPainter paint(painter, texts, fonts);
    for (const DisplayItem& item : list.items)
        std::visit(paint, item);
    painter.restore();
}

} // namespace passcat
