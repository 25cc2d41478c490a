#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QString>

#include "chart/chart_font.h"
#include "gui/busy_cursor.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "gui/main_form.h"
#include "gui/program_icon.h"
#include "gui/qt_translations.h"
#include "gui/surface_prompt.h"

namespace {

// For the documentation: with PASSCAT_WINDOW_SNAPSHOT set to a file name, the window
// saves a picture of itself there as soon as it is shown, and the program ends; with
// PASSCAT_RESULTS_SNAPSHOT, it calculates the file it was given first, as "Рассчитать"
// does, and saves a picture of the results window there.
void SaveSnapshotsOnceShown(QApplication& app, QWidget& window)
{
    const QString windowPath = qEnvironmentVariable("PASSCAT_WINDOW_SNAPSHOT");
    const QString resultsPath = qEnvironmentVariable("PASSCAT_RESULTS_SNAPSHOT");
    if (windowPath.isEmpty() && resultsPath.isEmpty())
        return;
    QMetaObject::invokeMethod(
        &app,
        [&app, &window, windowPath, resultsPath] {
            if (!windowPath.isEmpty() && !window.grab().save(windowPath, "PNG"))
                return app.exit(1);
            if (resultsPath.isEmpty())
                return app.exit(0);
            window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            QWidget* results = window.findChild<QWidget*>(QStringLiteral("ResultsWindow"));
            app.exit(results && results->grab().save(resultsPath, "PNG") ? 0 : 1);
        },
        Qt::QueuedConnection);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Message boxes have no title of their own and show this name. It is not set as
    // the display name, which the platform would append to the window's caption.
    QApplication::setApplicationName(QStringLiteral("passcat"));
    QGuiApplication::setDesktopFileName(QStringLiteral("passcat"));
    QApplication::setWindowIcon(passcat::ProgramIcon());
    if (!passcat::InstallQtTranslations(app))
        qWarning("Qt's Russian translations were not found; its own texts stay in English");
    // The charts' font is built in; a program that cannot load it is broken.
    if (!passcat::LoadChartFont())
        qWarning("the chart font could not be loaded");

    passcat::NativeFileDialog fileDialog;
    passcat::MessageBoxPresenter messages;
    passcat::WaitCursor busyCursor;
    passcat::DialogSurfacePrompt surfacePrompt;
    passcat::MainForm form(fileDialog, messages, busyCursor, surfacePrompt);
    // "passcat FILE", as the file manager's "Open with" starts it.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1)
        form.openInput(QFileInfo(arguments.at(1)).absoluteFilePath());
    form.show();
    SaveSnapshotsOnceShown(app, form);
    return app.exec();
}
