#pragma once

#include <QRectF>

#include "chart/chart_display_list.h"

class QPainter;

namespace passcat {

class ChartFonts;

// Where a page lands in target: scaled to fit with its proportions kept, and centred.
struct ChartPlacement {
    QPointF offset; // of the page's origin
    double scale = 1;

    QPointF pageAt(const QPointF& targetPoint) const { return (targetPoint - offset) / scale; }
    QPointF targetAt(const QPointF& pagePoint) const { return offset + pagePoint * scale; }
};
ChartPlacement PlaceChart(const ChartDisplayList& list, const QRectF& target);

// How the texts of a chart are painted in the built-in font: as outlines, the same on
// every device (images, the window), or as glyphs, which a PDF keeps as text.
enum class TextPainting { Outlines, Glyphs };

// Paints the list into target as PlaceChart places it.
void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target,
                TextPainting texts = TextPainting::Outlines);
// The same in fonts kept for many charts.
void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target, TextPainting texts,
                const ChartFonts& fonts);

} // namespace passcat
