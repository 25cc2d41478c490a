#pragma once

#include <QString>

#include <memory>

#include "chart/chart_format.h"
#include "run/run_result.h"

class QPushButton;
class QUndoStack;
class QWidget;

namespace passcat {

class FileDialog;
class MessagePresenter;

// What the results window saves of the run it shows, the surfaces the user marked
// included: the profile (the text the run read, the marked coefficients in it), the
// report, the summary table, the document and every chart, as passcat-cli writes
// them for that profile with the run's settings. Each file is asked for, written
// through a temporary file that replaces an older one only once complete, and never
// over the input; a refusal is an "Ошибка: ..." box. The marks count as saved once the
// profile is (the undo stack's clean state).
// objectNames: "ResultsSave" (the button), "SaveProfile", "SaveReport", "SaveTable",
// "SaveDocument", "SaveChartsSvg", "SaveChartsPng" (its menu's actions).
class ResultsSaving {
public:
    // run: as the window shows it now; marks: the window's changes.
    ResultsSaving(QWidget& window, FileDialog& fileDialog, MessagePresenter& messages,
                  const std::shared_ptr<RunResult>& run, QUndoStack& marks);

    // The "Сохранить" button with its menu, for the window's layout.
    QPushButton* makeButton();

    // True when the marks may be lost (closing the window or the program, a new run):
    // none unsaved, or the user saved them or let them go when asked.
    bool mayDropMarks();

private:
    bool saveProfile();
    void saveReport();
    void saveTable();
    void saveDocument();
    void saveCharts(ChartFormat format);
    // The file chosen to write what into, starting from suggested; empty when
    // cancelled or refused.
    QString askTarget(const QString& what, const QString& suggested, const QString& filters, QString& filter);
    // A file name in the input's folder: the input's name with its extension replaced.
    QString besideInput(const QString& extension) const;
    // Tells a failure; true when there was none.
    bool written(const std::optional<QString>& failure);

    QWidget& window_;
    FileDialog& fileDialog_;
    MessagePresenter& messages_;
    const std::shared_ptr<RunResult>& run_;
    QUndoStack& marks_;
};

} // namespace passcat
