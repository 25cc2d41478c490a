#pragma once

#include <QRectF>

#include "chart/chart_display_list.h"

class QPainter;

namespace passcat {

// How the texts of a chart are painted in the built-in font: as outlines, the same on
// every device (images, the window), or as glyphs, which a PDF keeps as text.
enum class TextPainting { Outlines, Glyphs };

// Paints the list into target, scaled to fit with its proportions kept and centred.
void PaintChart(QPainter& painter, const ChartDisplayList& list, const QRectF& target,
                TextPainting texts = TextPainting::Outlines);

} // namespace passcat
