#pragma once

#include <QUndoStack>
#include <QWidget>

#include <optional>

#include "gui/block_table_model.h"
#include "gui/results_saving.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;

namespace passcat {

class ChartView;
class FileDialog;
class MessagePresenter;
class SurfacePrompt;
class TrackSettingsPanel;

// What a run found, in a window of its own beside the main one: the table of every
// block, a summary line under it and the chart of the selected block, with a readout of
// the point under the pointer and a band of its surfaces. A stretch dragged across the
// chart gets the surface coefficient the user gives, and the block is rated again at
// once; every change undoes and redoes (Ctrl+Z, Ctrl+Y). The table copies to the
// clipboard, the chart saves as SVG or PNG, and the rest saves through ResultsSaving;
// closing it with marks not saved asks first. It remembers its size and how it was split.
// objectNames: "ResultsWindow", "ResultsTable", "ResultsSummary", "ResultsSplitter",
// "ChartView", "ChartReadout", "ResultsCopy", "ChartSave", "ResultsUndo", "ResultsRedo".
class ResultsWindow final : public QWidget {
public:
    ResultsWindow(FileDialog& fileDialog, MessagePresenter& messages, SurfacePrompt& surfacePrompt,
                  QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // Shows the run of the input named inputName, its first accepted block selected;
    // the changes made to the run before are forgotten.
    void setRun(RunCharts run, const QString& inputName);
    // The same input run again with other track settings: the run shown after it, with
    // the surfaces marked before carried to it where their stretches still are.
    void rerun(RunCharts run, const QString& inputName);
    // Shown for a track as input ("TrackSettings").
    TrackSettingsPanel& trackSettings() { return *trackSettings_; }

    // True when the surfaces marked may be lost: saved, or the user said so when asked.
    bool mayDropMarks() { return saving_.mayDropMarks(); }

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const RunBlock* selected() const;
    void showSelected();
    void showReadout(std::optional<double> km);
    void chooseSurface(double fromKm, double toKm);
    void putBlock(int row, const RunBlock& block);
    void fitColumns();
    void copyTable();
    void saveChart();
    void rememberLayout() const;

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    SurfacePrompt& surfacePrompt_;
    RunCharts original_;               // as the run found it
    std::shared_ptr<RunResult> run_;   // as changed since
    QUndoStack changes_;
    ResultsSaving saving_;
    BlockTableModel model_;
    QTableView* table_;
    QLabel* summary_;
    QSplitter* splitter_;
    ChartView* chart_;
    QLabel* readout_;
    QPushButton* save_;
    TrackSettingsPanel* trackSettings_;
};

} // namespace passcat
