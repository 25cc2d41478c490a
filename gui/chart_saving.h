#pragma once

#include <cstdint>

#include "chart/chart_display_list.h"

class QWidget;

namespace passcat {

class FileDialog;
class MessagePresenter;

// Asks where to save a block's chart and writes it there, as SVG or PNG by the name's
// suffix, else by the chosen filter; a file that cannot be written is told as an error.
void SaveChart(QWidget* parent, FileDialog& fileDialog, MessagePresenter& messages, const ChartDisplayList& drawing,
               std::uint64_t blockNumber);

} // namespace passcat
