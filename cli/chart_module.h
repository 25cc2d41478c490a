#pragma once

#include <QCoreApplication>

#include <memory>

#include "cli/chart_options.h"
#include "cli/document_options.h"

namespace passcat {

// What passcat-cli takes from its chart module, which alone links Qt Gui: a program
// without charts or a document loads none of it and starts as quickly as ever.
struct ChartModule {
    // An application that can paint, on the offscreen platform unless QT_QPA_PLATFORM
    // says otherwise, with the chart font loaded; none when the font cannot be loaded.
    std::unique_ptr<QCoreApplication> (*makeApplication)(int& argc, char** argv);
    std::optional<QString> (*writeCharts)(const ChartRequest& request, const RunResult& run, ChartOfBlock chartOf);
    std::optional<QString> (*writeDocument)(const QString& path, DocumentFormat format, const TripReport& report);
};

// The module's one exported function, by this name.
inline constexpr char kChartModuleEntry[] = "passcat_chart_module";
using ChartModuleEntry = const ChartModule* (*)();

} // namespace passcat
