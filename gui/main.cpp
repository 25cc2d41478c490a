#include <QApplication>
#include <QMouseEvent>
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

// The results window's picture shows a stretch marked: the user's drag is made up, and
// the surface it asks for is given without a dialog.
class SnapshotSurfacePrompt final : public passcat::SurfacePrompt {
public:
    std::optional<double> askSurface(QWidget*, const QStringList&) override { return 1.5; }
};

// A press, a release or a move of the left button at a share of the widget's width,
// halfway down.
void SendMouse(QWidget& widget, QEvent::Type type, double share)
{
    const QPointF at(widget.width() * share, widget.height() / 2.0);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, type == QEvent::MouseButtonPress ? button : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// For the documentation: with PASSCAT_WINDOW_SNAPSHOT set to a file name, the window
// saves a picture of itself there as soon as it is shown, and the program ends; with
// PASSCAT_RESULTS_SNAPSHOT, it calculates the file it was given first, as "Рассчитать"
// does, marks a stretch of the first block, points at the profile, and saves a picture
// of the results window there.
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
            if (!results)
                return app.exit(1);
            QCoreApplication::processEvents();
            QWidget& chart = *results->findChild<QWidget*>(QStringLiteral("ChartView"));
            SendMouse(chart, QEvent::MouseButtonPress, 0.36);
            SendMouse(chart, QEvent::MouseMove, 0.5);
            SendMouse(chart, QEvent::MouseButtonRelease, 0.5);
            SendMouse(chart, QEvent::MouseMove, 0.45);
            QCoreApplication::processEvents(); // the layout follows the undo button's new text
            app.exit(results->grab().save(resultsPath, "PNG") ? 0 : 1);
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
    passcat::DialogSurfacePrompt surfaceDialog;
    SnapshotSurfacePrompt snapshotSurface;
    passcat::SurfacePrompt& surfacePrompt =
        qEnvironmentVariableIsSet("PASSCAT_RESULTS_SNAPSHOT") ? static_cast<passcat::SurfacePrompt&>(snapshotSurface)
                                                              : surfaceDialog;
    passcat::MainForm form(fileDialog, messages, busyCursor, surfacePrompt);
    // "passcat FILE", as the file manager's "Open with" starts it.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1)
        form.openInput(QFileInfo(arguments.at(1)).absoluteFilePath());
    form.show();
    SaveSnapshotsOnceShown(app, form);
    return app.exec();
}
