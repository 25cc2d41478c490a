#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include "chart/chart_display_list.h"
#include "chart/chart_font.h"
#include "chart/chart_format.h"
#include "chart/chart_layout.h"
#include "chart/chart_model.h"

namespace passcat {

// A PNG's pixels: one to a unit of the page.
inline constexpr QSize kChartPage(kChartPageWidth, kChartPageHeight);

// The chart laid out in the built-in font, for either back end.
ChartDisplayList LayOutChart(const ChartModel& model);

// The chart as an image of pixels (device pixels, for a screen of that ratio), white
// where the page does not reach.
QImage RenderChartImage(const ChartDisplayList& list, QSize pixels, qreal devicePixelRatio = 1);

// The same drawn over the whole of image (its device pixels) in fonts kept for many
// charts: an image kept for many charts saves clearing fresh memory for each.
void PaintChartImage(QImage& image, const ChartDisplayList& list, const ChartFonts& fonts);

// The bytes of the chart file; the same for the same chart. Empty when the image
// could not be encoded.
QByteArray RenderChart(const ChartDisplayList& list, ChartFormat format);

} // namespace passcat
