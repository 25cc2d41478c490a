#pragma once

#include <QWidget>

#include "gui/block_table_model.h"
#include "run/calculation_run.h"
#include "run/track_settings.h"

class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace passcat {

class BusyCursor;
class FileDialog;
class MessagePresenter;
class ResultsWindow;
class SurfacePrompt;

// The program's one window: it holds the settings of a run and starts runs.
// Each control's objectName is its designer name ("Text1", "Combo1", ...); the two
// labels of the Label3 array are "Label3_0" and "Label3_1". "Результаты"
// ("CommandProfile") shows the results window of the last run again.
class MainForm final : public QWidget {
public:
    MainForm(FileDialog& fileDialog, MessagePresenter& messages, BusyCursor& busyCursor, SurfacePrompt& surfacePrompt,
             QWidget* parent = nullptr);

    // Takes path as the input, with its default result path, as choosing it with "..."
    // does: the program's argument and a dropped file come this way.
    void openInput(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The program ends with its window: surfaces marked and not saved ask first.
    void closeEvent(QCloseEvent* event) override;
    // The text boxes would take a dropped file's name as text: the form takes it instead.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void CommandProfile_Click();
    void keepResults(RunCharts run, const QString& inputName);
    void rerunTrack(const TrackSettings& settings);
    void showResults();

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    BusyCursor& busyCursor_;
    SurfacePrompt& surfacePrompt_;

    QLineEdit* Text1;
    QPushButton* Command1;
    QLineEdit* Text2;
    QComboBox* Combo1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QPushButton* Command2;
    QPushButton* CommandProfile;

    RunCharts results_;                      // of the last run; none when it evaluated no block
    // What the last run was given, for running its track again with other settings.
    RunInput lastInput_;
    RunSettings lastSettings_;
    ReportFormat lastFormat_;
    TrackSettings trackSettings_; // for every track run, as the results window shows them
    ResultsWindow* resultsWindow_ = nullptr; // made when first opened
};

} // namespace passcat
