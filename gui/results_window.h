#pragma once

#include <QWidget>

#include <optional>

#include "gui/block_table_model.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;

namespace passcat {

class ChartView;
class FileDialog;
class MessagePresenter;

// What a run found, in a window of its own beside the main one: the table of every
// block, a summary line under it and the chart of the selected block, with a readout of
// the point under the pointer; the table copies to the clipboard, the chart saves as
// SVG or PNG. It remembers its size and how it was split. objectNames: "ResultsWindow",
// "ResultsTable", "ResultsSummary", "ResultsSplitter", "ChartView", "ChartReadout",
// "ResultsCopy", "ChartSave".
class ResultsWindow final : public QWidget {
public:
    ResultsWindow(FileDialog& fileDialog, MessagePresenter& messages, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // Shows the run of the input named inputName, its first accepted block selected.
    void setRun(RunCharts run, const QString& inputName);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    const RunBlock* selected() const;
    void showSelected();
    void showReadout(std::optional<double> km);
    void copyTable();
    void saveChart();
    void rememberLayout() const;

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    RunCharts run_;
    BlockTableModel model_;
    QTableView* table_;
    QLabel* summary_;
    QSplitter* splitter_;
    ChartView* chart_;
    QLabel* readout_;
    QPushButton* save_;
};

} // namespace passcat
