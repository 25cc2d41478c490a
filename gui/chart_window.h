#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "run/block_chart.h"

class QListWidget;
class QPushButton;

namespace passcat {

class ChartView;
class FileDialog;
class MessagePresenter;

using RunCharts = std::shared_ptr<const std::vector<NumberedChart>>;

// The charts of a run, in a window of their own beside the main one: the list of
// the evaluated blocks by title, the chart of the one selected, and "Сохранить...".
// objectNames: "ChartWindow", "ChartList", "ChartView", "ChartSave".
class ChartWindow final : public QWidget {
public:
    ChartWindow(FileDialog& fileDialog, MessagePresenter& messages, QWidget* parent = nullptr);

    // Shows these charts, the first one selected.
    void setCharts(RunCharts charts);

private:
    void showSelected();
    void save();

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    RunCharts charts_;
    QListWidget* list_;
    ChartView* view_;
    QPushButton* save_;
};

} // namespace passcat
