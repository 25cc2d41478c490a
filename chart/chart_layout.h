#pragma once

#include "chart/chart_display_list.h"
#include "chart/chart_model.h"
#include "chart/chart_text_metrics.h"

namespace passcat {

// A chart's page: the pixels of a PNG; 160 x 90 mm in an SVG.
inline constexpr int kChartPageWidth = 1600;
inline constexpr int kChartPageHeight = 900;

// The family the chart's texts are drawn in (built into the programs).
inline constexpr const char* kChartFontFamily = "DejaVu Sans";

// Places everything the model shows on the page, texts measured by metrics.
ChartDisplayList LayOutChart(const ChartModel& model, const ChartTextMetrics& metrics);

} // namespace passcat
