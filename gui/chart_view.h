#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "chart/chart_model.h"
#include "run/run_result.h"

class QListWidget;
class QPushButton;

namespace passcat {

class ChartView;
class FileDialog;
class MessagePresenter;

// A run whose accepted blocks were kept with their points.
using RunCharts = std::shared_ptr<const RunResult>;

// The charts of a run, in a window of their own beside the main one: the list of
// the evaluated blocks by title, the chart of the one selected, and "Сохранить...".
// objectNames: "ChartWindow", "ChartList", "ChartView", "ChartSave".
class ChartWindow final : public QWidget {
public:
    ChartWindow(FileDialog& fileDialog, MessagePresenter& messages, QWidget* parent = nullptr);

    // Shows the charts of the run's rated blocks, the first one selected.
    void setCharts(RunCharts charts);

private:
    const RunBlock* selected() const;
    ChartModel chartOf(const RunBlock& block) const;
    void showSelected();
    void save();

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    RunCharts charts_;
    std::vector<const RunBlock*> rated_; // the blocks listed, in the list's order
    QListWidget* list_;
    ChartView* view_;
    QPushButton* save_;
};

} // namespace passcat
