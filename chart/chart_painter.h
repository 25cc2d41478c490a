#pragma once

#include <QRectF>

#include "chart/chart_display_list.h"

class QPainter;

namespace passcat {

// Where a page lands in target: scaled to fit with its proportions kept, and centred.
struct ChartPlacement {
    QPointF offset; // of the page's origin
    double scale = 1;

    QPointF pageAt(const QPointF& targetPoint) const { return (targetPoint - offset) / scale; }
    QPointF targetAt(const QPointF& pagePoint) const { return offset + pagePoint * scale; }
};
ChartPlacement PlaceChart(const ChartDisplayList& list, const QRectF& target);

// Paints the list into target as PlaceChart places it; texts as outlines of the
// built-in font.
void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target);

} // namespace passcat
