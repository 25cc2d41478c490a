#pragma once

#include <QRectF>

#include "chart/chart_display_list.h"

class QPainter;

namespace passcat {

// Paints the list into target, scaled to fit with its proportions kept and centred;
// texts as outlines of the built-in font.
void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target);

} // namespace passcat
