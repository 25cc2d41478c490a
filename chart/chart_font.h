#pragma once

#include <QRawFont>

namespace passcat {

// Every chart is drawn in DejaVu Sans, built into the program, so that it looks the
// same on every machine whatever fonts are installed. Loads it the first time; false
// when it cannot be loaded. Needs a QGuiApplication.
bool LoadChartFont();

// The chart font at a size in the chart's units; unhinted, so that outlines and
// advances do not depend on the screen or the platform.
QRawFont ChartFont(double pixelSize);

} // namespace passcat
