#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

#include "chart/chart_display_list.h"
#include "chart/chart_text_metrics.h"
#include "document/trip_report.h"

class QTextDocument;

namespace passcat {

// The size of a chart in the document, in the document's pixels (96 to the inch): the
// chart's page, 160 by 90 mm.
inline constexpr double kDocumentChartWidth = 160 / 25.4 * 96;
inline constexpr double kDocumentChartHeight = 90 / 25.4 * 96;

// The trip report as one document, for every format's writer: a heading (the input,
// the region, the weighting, the date), the summary table, then a page for every
// accepted block with its title, its chart and its figures. A chart stands in it as
// an image of the chart's size whose name says which; the writers draw each only when
// they reach it, so that no more than one is held at a time.
void BuildTripDocument(QTextDocument& document, const TripReport& report);

// The places among the run's blocks of those whose chart the document shows, in its order.
std::vector<std::size_t> ChartPlaces(const TripReport& report);

// The place of the block whose chart an image of the document stands for; none for
// another name.
std::optional<std::size_t> ChartPlaceOfImage(const TripReport& report, const QString& name);

// The chart of the block at a place that ChartPlaceOfImage gave, laid out.
ChartDisplayList LayOutChartAt(const TripReport& report, std::size_t place, const ChartTextMetrics& metrics);

// The chart an image of the document stands for, laid out; none for another name.
std::optional<ChartDisplayList> ChartOfImage(const TripReport& report, const QString& name);

} // namespace passcat
