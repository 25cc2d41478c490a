#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "chart/chart_format.h"
#include "chart/chart_model.h"

class QPainter;

namespace passcat {

// A chart's page in its own units: the pixels of a PNG; an SVG is 160 x 90 mm.
inline constexpr QSize kChartPage(1600, 900);

// Paints the chart into target, scaled to fit with its proportions kept and centred.
void PaintChart(QPainter& painter, const ChartModel& model, const QRectF& target);

// The chart as an image of pixels (device pixels, for a screen of that ratio), white
// where the page does not reach.
QImage RenderChartImage(const ChartModel& model, QSize pixels, qreal devicePixelRatio = 1);

// The bytes of the chart file; the same for the same chart. Empty when the image
// could not be encoded.
QByteArray RenderChart(const ChartModel& model, ChartFormat format);

} // namespace passcat
