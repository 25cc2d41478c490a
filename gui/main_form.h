#pragma once

#include <QWidget>

#include "gui/chart_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace passcat {

class BusyCursor;
class FileDialog;
class MessagePresenter;

// The program's one window: it holds the settings of a run and starts runs.
// Each control's objectName is its designer name ("Text1", "Combo1", ...); the two
// labels of the Label3 array are "Label3_0" and "Label3_1". "Профиль"
// ("CommandProfile") opens the charts of the last run.
class MainForm final : public QWidget {
public:
    MainForm(FileDialog& fileDialog, MessagePresenter& messages, BusyCursor& busyCursor, QWidget* parent = nullptr);

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void CommandProfile_Click();
    void keepCharts(RunCharts charts);

    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    BusyCursor& busyCursor_;

    QLineEdit* Text1;
    QPushButton* Command1;
    QLineEdit* Text2;
    QComboBox* Combo1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QPushButton* Command2;
    QPushButton* CommandProfile;

    RunCharts charts_;                   // of the last run; none when it evaluated no block
    ChartWindow* chartWindow_ = nullptr; // made when first opened
};

} // namespace passcat
