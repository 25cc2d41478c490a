#include <QTest>
#include <QtWidgets>

#include <optional>

#include "gui/busy_cursor.h"
#include "gui/chart_view.h"
#include "gui/file_dialog.h"
#include "gui/main_form.h"
#include "gui/message_presenter.h"
#include "gui/qt_translations.h"
#include "gui/surface_prompt.h"
#include "gui/track_settings_panel.h"

// Reports follow the user's decimal separator; the expected ones have a decimal comma.
[[maybe_unused]] static const bool kCommaLocale = qputenv("LC_ALL", "ru_RU.UTF-8");

namespace passcat {

// The window, with what it talks to replaced: the dialog answers from a script, messages
// are recorded with the busy state they met, and the real wait cursor follows the counted one.
struct Window : FileDialog, MessagePresenter, BusyCursor, SurfacePrompt {
    QString askOpenFileName(QWidget*, const QString& filter) override { filters << filter; return answers.takeFirst(); }
    QString askSaveFileName(QWidget*, const QString& name, const QString&, QString&) override
    { filters << name; return answers.takeFirst(); }
    QString askFolder(QWidget*, const QString&) override { return answers.takeFirst(); }
    UnsavedMarks askUnsavedMarks(QWidget*, const QString& text) override { shown += text + " [ask]"; return choices.takeFirst(); }
    void present(QWidget*, const QString& text, MessageIcon icon) override
    {
        shown += text + (icon == MessageIcon::Critical ? " [critical]" : icon == MessageIcon::Information ? " [information]" : "") +
                 (busy ? " [busy]" : "");
    }
    std::optional<double> askSurface(QWidget*, const QStringList& used) override
    { offered << used; return surfaces.takeFirst(); }
    void show() override { ++shows; busy = true; waitCursor.show(); }
    void restore() override { restores += busy; busy = false; waitCursor.restore(); }
    template <typename Control = QWidget> Control* get(const char* name) { return form.findChild<Control*>(name); }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    void click(const char* name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }

    QStringList answers, filters; // answers: one per dialog, empty for a cancel
    QList<std::optional<double>> surfaces; // one per stretch marked, none for a cancel
    QList<UnsavedMarks> choices; // one per question about unsaved marks
    QStringList offered;
    QString shown;
    int shows = 0, restores = 0;
    bool busy = false;
    WaitCursor waitCursor;
    MainForm form{*this, *this, *this, *this};
};

QByteArray Read(const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : "<missing>"; }
bool Write(const QString& path, const QByteArray& bytes) { QFile f(path); return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(); }

// Runs input in the window (region 2, by length) and marks the first block's first
// half with surface 3; the results window.
QWidget* RunAndMark(Window& w, const QString& input, const QString& result)
{
    w.get<QComboBox>("Combo1")->setCurrentIndex(2);
    w.click("Option2");
    w.box("Text1")->setText(input);
    w.box("Text2")->setText(result);
    w.click("Command2");
    auto* results = w.get("ResultsWindow");
    results->resize(1000, 720);
    auto* view = static_cast<ChartView*>(results->findChild<QWidget*>("ChartView"));
    const int y = view->height() / 2, from = qRound(view->xOf(0)) + 2, to = (from + view->width()) / 2;
    w.surfaces = {3.0};
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(from, y));
    QTest::mouseMove(view, QPoint(to, y));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(to, y));
    return results;
}

// Triggers a save of the results window, the dialog answering path.
void Save(Window& w, QWidget* results, const char* action, const QString& path)
{
    w.answers = {path};
    results->findChild<QAction*>(action)->trigger();
}

// passcat-cli with the settings of RunAndMark; its exit status.
int RunCli(QStringList arguments)
{
    QProcess cli;
    cli.start(PASSCAT_CLI_PATH, arguments << "-r" << "2" << "-w" << "длина" << "--decimal-separator=,");
    return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
}

struct Placed { const char* name; QRect geometry; const char* caption; };
// Every control as drawn; the Tab stops come first, in their order (the option pair is one stop).
constexpr Placed kControls[] = {
    {"Text1", {136, 8, 363, 25}, ""}, {"Command1", {504, 8, 33, 27}, "..."}, {"Text2", {136, 38, 401, 25}, ""},
    {"Command2", {384, 94, 155, 27}, "Рассчитать"}, {"Combo1", {136, 68, 401, 21}, "Прочее"},
    {"Option1", {136, 98, 75, 21}, "Высота"}, {"Option2", {218, 98, 75, 21}, "Длина"},
    {"Label1", {6, 12, 123, 21}, "Файл исходных данных"}, {"Label2", {6, 40, 123, 21}, "Файл результата"},
    {"Label3_0", {6, 68, 123, 21}, "Район похода"}, {"Label3_1", {6, 98, 123, 21}, "Тип интерполяции "},
    {"CommandProfile", {298, 94, 80, 27}, "Результаты"},
};

// One click on "Рассчитать": "@" stands for the window's folder, where rez.txt holds a
// profile before the run, and "$" for the data folder.
struct Run { const char* input; int region; bool byLength; const char* report; const char* shown; };

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    // The results window's remembered layout goes to a scratch place, cleared first.
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("passcat", "passcat").clear();
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("SOURCE_DATE_EPOCH", "1700000000"); // the documents' date
    }

    void opensAsDrawn()
    {
        Window w;
        QCOMPARE(w.form.windowTitle(), "Рассчет категории трудности горного препятствия");
        QCOMPARE((QList{w.form.size(), w.form.minimumSize(), w.form.maximumSize()}), QList<QSize>(3, QSize(542, 125)));
        QCOMPARE(w.get<QComboBox>("Combo1")->count(), 6); // "Прочее" chosen: see the table
        QVERIFY(w.get<QRadioButton>("Option1")->isChecked() && !w.get<QRadioButton>("Option2")->isChecked());
        QCOMPARE(w.form.focusWidget(), w.get("Text1"));
        for (const char* name : {"Command1", "Command2"})
            QVERIFY(!w.get<QPushButton>(name)->isDefault() && !w.get<QPushButton>(name)->autoDefault());
        for (const Placed& placed : kControls) {
            QWidget* control = w.get(placed.name);
            QCOMPARE(control->geometry(), placed.geometry);
            const char* captionProperty = qobject_cast<QComboBox*>(control) ? "currentText" : "text";
            QCOMPARE(control->property(captionProperty).toString(), placed.caption);
            if (qobject_cast<QLabel*>(control) || qobject_cast<QRadioButton*>(control))
                QVERIFY2(control->sizeHint().width() <= control->width(), placed.name); // nothing cut
        }
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        for (int i = 0; i <= 6; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            QCOMPARE(QApplication::focusWidget()->objectName(), kControls[i % 6].name);
    }

    // The user chose a file once and edited both boxes since; then the dialog answers.
    void browseFillsBothPaths_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("folder") << "/data/trip/pass.txt" << "/data/trip/pass.txt | /data/trip/rez.txt";
        QTest::newRow("root folder") << "/pass.txt" << "/pass.txt | /rez.txt";
        QTest::newRow("the result file itself") << "/data/rez.txt" << "/data/rez.txt | /data/rez.txt";
        QTest::newRow("cancelled") << "" << "/data/pass.txtx | /elsewhere/out.txt";
    }
    void browseFillsBothPaths()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, boxes);
        Window w;
        w.answers = {"/data/pass.txt", chosen};
        w.click("Command1");
        QTest::keyClicks(w.get("Text1"), "x");
        w.box("Text2")->setText(QDir::toNativeSeparators("/elsewhere/out.txt")); // typed as the system writes paths
        w.click("Command1");
        QCOMPARE(w.filters, QStringList(2, "Text Files (*.txt);;Треки GPS (*.gpx *.kml *.tcx *.plt)"));
        QCOMPARE(w.box("Text1")->text() + " | " + w.box("Text2")->text(), QDir::toNativeSeparators(boxes));
    }

    // A drop, on the form or on a text box, takes the first file as "..." would; folders are passed over.
    void dropFillsBothPaths_data()
    {
        QTest::addColumn<QStringList>("dropped"); // "@": the scratch folder
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("a file") << QStringList{"@/pass.txt"} << "MainForm" << "@/pass.txt | @/rez.txt";
        QTest::newRow("on the input box") << QStringList{"@/pass.txt"} << "Text1" << "@/pass.txt | @/rez.txt";
        QTest::newRow("on the result box") << QStringList{"@/pass.txt"} << "Text2" << "@/pass.txt | @/rez.txt";
        QTest::newRow("a folder, then files") << QStringList{"@/sub", "@/sub/track.gpx", "@/pass.txt"} << "MainForm"
                                             << "@/sub/track.gpx | @/sub/rez.txt";
        QTest::newRow("a folder only") << QStringList{"@/sub"} << "Text1"
                                       << "typed | kept; Ошибка: @/sub — папка; перетащите файл исходных данных или трек [critical]";
    }
    void dropFillsBothPaths()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QString, onto);
        QFETCH(QString, boxes);
        Window w;
        const QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub"));
        w.box("Text1")->setText("typed");
        w.box("Text2")->setText("kept");
        QList<QUrl> urls;
        for (const QString& path : dropped)
            urls << QUrl::fromLocalFile(QString(path).replace('@', dir.path()));
        QMimeData data;
        data.setUrls(urls);
        QWidget* target = onto == "MainForm" ? &w.form : w.get(qPrintable(onto));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        const QString shown = w.shown.isEmpty() ? "" : "; " + w.shown;
        QCOMPARE(w.box("Text1")->text() + " | " + w.box("Text2")->text() + shown,
                 QDir::toNativeSeparators(QString(boxes).replace('@', dir.path())));
    }

    // "passcat FILE" hands FILE on as the browse dialog would.
    void argumentFillsBothPaths()
    {
        Window w;
        w.form.openInput("/data/trip/track.gpx");
        QCOMPARE(w.box("Text1")->text() + " | " + w.box("Text2")->text(),
                 QDir::toNativeSeparators("/data/trip/track.gpx | /data/trip/rez.txt"));
    }

    void qtSpeaksRussian()
    {
        QVERIFY(InstallQtTranslations(*qApp));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), "Отмена");
    }

    void calculates_data()
    {
        QTest::addColumn<Run>("run");
        QTest::newRow("UTF-8 input") << Run{"$/pass-utf8.txt", 5, false, "rez-utf8.txt", ""};
        QTest::newRow("Windows-1251 input") << Run{"$/pass-cp1251.txt", 5, false, "rez-cp1251.txt", ""};
        QTest::newRow("Каваказ, Альпы by height") << Run{"$/regions.txt", 0, false, "regions-0-height.txt", ""};
        QTest::newRow("Сибирь, Сев. Урал by length") << Run{"$/regions.txt", 1, true, "regions-1-length.txt", ""};
        QTest::newRow("Заполярье by height") << Run{"$/regions.txt", 2, false, "regions-2-height.txt", ""};
        QTest::newRow("Памир… by length") << Run{"$/regions.txt", 3, true, "regions-3-length.txt", ""};
        QTest::newRow("Гималаи, Анды by height") << Run{"$/regions.txt", 4, false, "regions-4-height.txt", ""};
        QTest::newRow("Прочее by length") << Run{"$/regions.txt", 5, true, "regions-5-length.txt", ""};
        const char* kept = "pass-utf8.txt"; // what rez.txt held: a failed run leaves it
        // The path is taken as typed, blanks and all.
        QTest::newRow("missing") << Run{"@/no.txt ", 5, false, kept, "Ошибка: не найден файл @/no.txt  [critical]"};
        QTest::newRow("empty path") << Run{"", 5, false, kept, "Ошибка: не найден файл  [critical]"};
        QTest::newRow("a folder") << Run{"@", 5, false, kept, "Ошибка: не найден файл @ [critical]"};
        QTest::newRow("one file for both") << Run{"@/rez.txt", 5, false, kept,
            "Ошибка: файл результата @/rez.txt совпадает с файлом данных; файлы не изменены [critical]"};
        // A rejected block is a notice, shown while the run goes on.
        QTest::newRow("rejected block") << Run{"$/rejected.txt", 5, false, "rez-rejected.txt",
            "Ошибка: конечная точка пепятствия не выше начальной [busy]"};
        // A GPS track, with the defaults; what it lost is a notice too.
        QTest::newRow("GPS track") << Run{"$/../tracks/kml-geometries/input.kml", 5, false,
            "../tracks/kml-geometries/report-comma", "Ошибка: трек «Трек gx»: пропущены точки с неверными координатами: 1 [busy]"};
        QTest::newRow("track without climbs") << Run{"$/../tracks/no-climbs/input.gpx", 5, false, "../tracks/no-climbs/report-comma",
            "трек «Холмы»: подъёмов не найдено: наибольший подъём 90 м, а нужно не меньше 100 м; "
            "уменьшите --min-climb или задайте --whole-tracks [information]"};
    }
    void calculates()
    {
        QFETCH(Run, run);
        Window w;
        const QTemporaryDir dir;
        const QString data = PASSCAT_GUI_DATA, result = dir.filePath("rez.txt");
        QVERIFY(QFile::copy(data + "/pass-utf8.txt", result));
        w.get<QComboBox>("Combo1")->setCurrentIndex(run.region);
        w.click(run.byLength ? "Option1" : "Option2"); // the other one first: the pair holds one choice
        w.click(run.byLength ? "Option2" : "Option1");
        w.box("Text1")->setText(QString(run.input).replace('@', dir.path()).replace('$', data));
        w.box("Text2")->setText(result);
        w.click("Command2");
        QCOMPARE(w.shown, QString(run.shown).replace('@', dir.path()));
        QCOMPARE(Read(result), Read(data + '/' + run.report));
        // Every run shows the busy state and ends it, the real wait cursor with it.
        QVERIFY(w.shows > 0 && w.restores == w.shows && !w.busy && !QGuiApplication::overrideCursor());
    }

    // A run that evaluated a block opens the results window by itself; one that evaluated
    // none closes it, and "Результаты" opens it again.
    void resultsWindowFollowsRuns()
    {
        Window w;
        const QTemporaryDir dir;
        const QString input = dir.filePath("три блока.txt");
        QVERIFY(Write(input, Read(PASSCAT_GUI_DATA "/regions.txt") + Read(PASSCAT_GUI_DATA "/rejected.txt")));
        QVERIFY(!w.get("CommandProfile")->isEnabled());
        w.box("Text1")->setText(input);
        w.box("Text2")->setText(dir.filePath("rez.txt"));
        w.click("Command2");
        auto* results = w.get("ResultsWindow");
        QVERIFY(results && results->isVisible() && w.get("CommandProfile")->isEnabled());
        QCOMPARE(results->windowTitle(), "Результаты: три блока.txt");
        auto* table = results->findChild<QTableView*>("ResultsTable");
        // Figures as the report gives them (rez.txt: the recommended rows of both blocks).
        QCOMPARE(results->findChild<QLabel*>("ResultsSummary")->text(),
                 "Блоков: 3, принято: 2, отклонено: 1; наивысшая категория 6: блок 2 «Высокий»");
        QCOMPARE(table->columnSpan(2, 2), 7);
        QCOMPARE(table->model()->index(2, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
        QTest::mouseClick(results->findChild<QPushButton*>("ResultsCopy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), Read(PASSCAT_GUI_DATA "/results-table.tsv"));

        // The selected row's chart: its title is the block's, a rejected block has none.
        const auto chartTitle = [results] {
            const auto& drawing = static_cast<ChartView*>(results->findChild<QWidget*>("ChartView"))->drawing();
            return drawing ? QString::fromStdString(drawing->title) : QString("-");
        };
        QCOMPARE(chartTitle(), "Низкий");
        table->selectRow(1);
        QCOMPARE(chartTitle(), "Высокий");

        // The readout follows the pointer: 1.5 km into "Высокий" (2200 m at 0 km, 2800 m
        // at 1 km, 3400 m at 2 km) is about 3100 m, on the segment whose row in rez.txt
        // reads 60,000 % and 4,587; outside the frame it asks for the pointer.
        results->resize(1000, 720);
        auto* view = static_cast<ChartView*>(results->findChild<QWidget*>("ChartView"));
        auto* readout = results->findChild<QLabel*>("ChartReadout");
        // The pointer comes as the platform's events would, not by moving the system's
        // pointer, which a window under wine is not told of.
        const auto pointTo = [view](QPoint at) {
            QTest::mouseMove(view->window()->windowHandle(), view->mapTo(view->window(), at));
        };
        pointTo(QPoint(qRound(view->xOf(1.5)), view->height() / 2));
        QVERIFY2(readout->text().startsWith("1,") && readout->text().contains("км · высота 3") &&
                     readout->text().endsWith("· уклон 60,000 % · покрытие 1 · балл 4,587 · категория 4"),
                 qPrintable(readout->text()));
        pointTo(QPoint(2, 2));
        QCOMPARE(readout->text(), "Наведите указатель на профиль");
        w.answers = {dir.filePath("chart.png"), dir.filePath("no/chart.svg")};
        for (int k = 0; k < 2; ++k)
            QTest::mouseClick(results->findChild<QPushButton*>("ChartSave"), Qt::LeftButton);
        QCOMPARE(w.filters, QStringList(2, "002.svg"));
        QCOMPARE(Read(dir.filePath("chart.png")).left(4), "\x89PNG");
        QVERIFY(w.shown.contains("Ошибка: не удалось записать график " + QDir::toNativeSeparators(dir.filePath("no/chart.svg"))));
        table->selectRow(2);
        QVERIFY(chartTitle() == "-" && !results->findChild<QPushButton*>("ChartSave")->isEnabled());

        w.box("Text1")->setText(PASSCAT_GUI_DATA "/rejected.txt");
        w.click("Command2");
        QVERIFY(!w.get("CommandProfile")->isEnabled() && !results->isVisible());
        w.box("Text1")->setText(PASSCAT_GUI_DATA "/pass-utf8.txt");
        w.click("Command2");
        QVERIFY(results->isVisible() && chartTitle() == "Пример 1" && table->model()->rowCount() == 1);
        QCOMPARE(results->windowTitle(), "Результаты: pass-utf8.txt");
        results->close();
        w.click("CommandProfile");
        QVERIFY(results->isVisible());
    }

    // A stretch dragged across the chart takes the coefficient given, and the block is rated
    // again: its row then reads as the row of a run of the profile with that surface.
    // Undo and redo step through the changes.
    void dragSetsSurface()
    {
        Window w;
        const QTemporaryDir dir;
        const auto run = [&](const QString& input) {
            w.box("Text1")->setText(input);
            w.box("Text2")->setText(dir.filePath("rez.txt"));
            w.click("Command2");
        };
        run(PASSCAT_GUI_DATA "/pass-utf8.txt"); // 3100 m at 0 km, 3400 at 3, 3600 at 4.5, 3900 at 6
        auto* results = w.get("ResultsWindow");
        results->resize(1000, 720);
        auto* view = static_cast<ChartView*>(results->findChild<QWidget*>("ChartView"));
        auto* table = results->findChild<QTableView*>("ResultsTable");
        const auto row = [table] {
            QStringList cells;
            for (int column = 0; column < table->model()->columnCount(); ++column)
                cells << table->model()->index(0, column).data().toString();
            return cells.join(" | ");
        };
        const auto bold = [table] { return table->model()->index(0, 1).data(Qt::FontRole).value<QFont>().bold(); };
        const QString before = row();
        const auto drag = [&](double fromKm, double toKm) {
            const int y = view->height() / 2;
            QTest::mousePress(view, Qt::LeftButton, {}, QPoint(qRound(view->xOf(fromKm)), y));
            QTest::mouseMove(view, QPoint(qRound(view->xOf(toKm)), y));
            QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(qRound(view->xOf(toKm)), y));
        };
        w.surfaces = {std::nullopt, 3.0};
        drag(0.5, 3.5); // cancelled: nothing changes
        QCOMPARE(row(), before);
        drag(3.5, 0.5); // the first two segments, dragged leftwards
        QCOMPARE(w.offered, (QStringList{"1,2", "1,5", "2", "1,2", "1,5", "2"}));
        const QString after = row();
        QVERIFY(after != before && bold());

        auto* undo = results->findChild<QToolButton*>("ResultsUndo");
        results->activateWindow(); // the keys are the window's shortcuts
        QVERIFY(QTest::qWaitForWindowActive(results));
        QTest::keyClick(results, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(row() == before && !bold() && !undo->isEnabled());
        QTest::keyClick(results, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(row() == after && bold() && undo->isEnabled());

        const QString edited = dir.filePath("edited.txt");
        QVERIFY(Write(edited, "Пример 1\r\n3100\t0\t3\r\n3400\t3\t3\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n"));
        w.choices = {UnsavedMarks::Discard}; // the new run asks first
        run(edited);
        QCOMPARE(row(), after);
    }

    // Every save, a stretch marked, is what passcat-cli writes given the saved profile with
    // the run's settings (the document naming the input as the window does); a track's
    // profile before any mark is the one --write-profile writes.
    void savesWhatTheCliWrites_data()
    {
        QTest::addColumn<QStringList>("inputs"); // in the data folder, one after the other
        QTest::newRow("profile file, a rejected block first") << QStringList{"rejected.txt", "pass-utf8.txt"};
        QTest::newRow("GPS track") << QStringList{"../tracks/gpx-default-options/input.gpx"};
    }
    void savesWhatTheCliWrites()
    {
        QFETCH(QStringList, inputs);
        Window w;
        const QTemporaryDir dir;
        const QString input = dir.filePath(QFileInfo(inputs.last()).fileName()), profile = dir.filePath("saved/profile.txt");
        QByteArray bytes;
        for (const QString& name : inputs)
            bytes += Read(PASSCAT_GUI_DATA "/" + name);
        QVERIFY(Write(input, bytes) && QDir(dir.path()).mkpath("saved") && QDir(dir.path()).mkpath("charts"));
        const bool track = input.endsWith(".gpx");
        if (track) {
            QCOMPARE(RunCli({input, "-o", dir.filePath("cli.txt"), "--write-profile", dir.filePath("written.txt")}), 0);
            w.box("Text1")->setText(input);
            w.box("Text2")->setText(dir.filePath("rez.txt"));
            w.click("Command2");
            Save(w, w.get("ResultsWindow"), "SaveProfile", dir.filePath("unmarked.txt"));
            QCOMPARE(Read(dir.filePath("unmarked.txt")), Read(dir.filePath("written.txt")));
        }
        QWidget* results = RunAndMark(w, input, dir.filePath("rez.txt"));
        const QStringList saves[] = {{"SaveProfile", "saved/profile.txt"}, {"SaveReport", "window.txt"}, {"SaveTable", "window.csv"},
                                     {"SaveDocument", "window.html"}, {"SaveChartsSvg", "charts"}};
        for (const QStringList& save : saves)
            Save(w, results, qPrintable(save[0]), dir.filePath(save[1]));
        QCOMPARE(w.shown, track ? "" : "Ошибка: конечная точка пепятствия не выше начальной [busy]");
        QCOMPARE(RunCli({profile, "-o", dir.filePath("cli.txt"), "--summary", dir.filePath("cli.csv"), "--document",
                         dir.filePath("cli.html"), "--charts", dir.filePath("cli-charts")}), track ? 0 : 1);
        QVERIFY(Read(dir.filePath("cli.txt")) != Read(dir.filePath("rez.txt"))); // the mark counts
        for (const char* name : {"window.txt", "window.csv", "window.html"}) {
            const QString cli = dir.filePath(QString(name).replace("window", "cli"));
            QCOMPARE(Read(dir.filePath(name)).replace(QFileInfo(input).fileName().toUtf8(), "profile.txt"), Read(cli));
        }
        const QStringList charts = QDir(dir.filePath("charts")).entryList(QDir::Files);
        QCOMPARE(charts, QDir(dir.filePath("cli-charts")).entryList(QDir::Files));
        QCOMPARE(charts.first(), track ? "001.svg" : "002.svg");
        for (const QString& chart : charts)
            QCOMPARE(Read(dir.filePath("charts/" + chart)), Read(dir.filePath("cli-charts/" + chart)));
    }

    // Marks not saved ask before they go: closing the results window (Отмена, or a save
    // cancelled, keeps it; Не сохранять closes it), a new run, the program's end. A save
    // refused (the input as target, a folder gone) loses nothing and leaves the input as it was.
    void unsavedMarksAsk()
    {
        Window w;
        const QTemporaryDir dir;
        const QString input = dir.filePath("pass.txt");
        QVERIFY(QFile::copy(PASSCAT_GUI_DATA "/pass-utf8.txt", input));
        QWidget* results = RunAndMark(w, input, dir.filePath("rez.txt"));
        Save(w, results, "SaveProfile", input);
        Save(w, results, "SaveTable", dir.filePath("gone/pass.csv"));
        Save(w, results, "SaveChartsPng", dir.filePath("gone"));
        QCOMPARE(w.shown.replace(QDir::toNativeSeparators(dir.path()), "@"),
                 QDir::toNativeSeparators(
                     "Ошибка: не удалось записать профиль @/pass.txt (совпадает с файлом данных) [critical]"
                     "Ошибка: не удалось записать таблицу @/gone/pass.csv (нет такого файла или папки) [critical]"
                     "Ошибка: не удалось записать графики в папку @/gone (папки нет) [critical]"));
        QCOMPARE(Read(input), Read(PASSCAT_GUI_DATA "/pass-utf8.txt"));
        w.shown.clear();
        const QString ask = "Отмеченные покрытия не сохранены. Сохранить профиль с ними? [ask]";
        w.choices = {UnsavedMarks::Cancel, UnsavedMarks::Save, UnsavedMarks::Discard};
        for (const bool staysOpen : {true, true, false}) {
            w.answers = {""}; // the save asked for is cancelled
            results->close();
            QCOMPARE(results->isVisible(), staysOpen);
        }
        QCOMPARE(w.shown, ask.repeated(3));

        w.click("CommandProfile");
        results = RunAndMark(w, input, dir.filePath("rez.txt"));
        w.choices = {UnsavedMarks::Cancel, UnsavedMarks::Save};
        w.box("Text2")->setText(dir.filePath("new.txt"));
        w.click("Command2"); // the new run is not made
        QVERIFY(!QFile::exists(dir.filePath("new.txt")));
        w.form.show();
        w.answers = {dir.filePath("marked.txt")};
        w.form.close();
        QVERIFY(!w.form.isVisible() && QFile::exists(dir.filePath("marked.txt")));
        QCOMPARE(w.shown, ask.repeated(5));
    }

    // A coefficient is refused where it is typed: OK waits for a valid one.
    void surfaceDialogRefusesBadCoefficients()
    {
        const std::pair<const char*, std::optional<double>> cases[] = {
            {"1,5", 1.5}, {"1.5", 1.5}, {"2", 2.0}, {"0", 0.0}, {"1,", 1.0}, {" 3 ", 3.0},
            {"", std::nullopt}, {"-1", std::nullopt}, {"2a", std::nullopt}, {"abc", std::nullopt},
            {"1,2,3", std::nullopt}, {"1e3", std::nullopt}, {",5", std::nullopt},
        };
        SurfaceDialog dialog(nullptr, {"1", "1,5"});
        auto* box = dialog.findChild<QComboBox*>("SurfaceValue");
        QCOMPARE(box->count(), 2);
        for (const auto& [text, value] : cases) {
            box->setEditText(text);
            QVERIFY2(dialog.value() == value && dialog.findChild<QPushButton*>("SurfaceOk")->isEnabled() == value.has_value(), text);
        }
    }

    // Its size and how it is split outlive the window.
    void resultsWindowRemembersItsLayout()
    {
        QList<int> split;
        for (int k = 0; k < 2; ++k) {
            Window w;
            const QTemporaryDir dir;
            w.box("Text1")->setText(PASSCAT_GUI_DATA "/pass-utf8.txt");
            w.box("Text2")->setText(dir.filePath("rez.txt"));
            w.click("Command2");
            auto* results = w.get("ResultsWindow");
            auto* splitter = results->findChild<QSplitter*>("ResultsSplitter");
            if (k == 0) {
                results->resize(900, 640);
                splitter->setSizes({200, 300});
                split = splitter->sizes();
                results->close();
                continue;
            }
            QCOMPARE(results->size(), QSize(900, 640));
            QCOMPARE(splitter->sizes(), split);
        }
    }

    // A track's settings in the results window: a change runs the track again and the marked
    // surfaces follow their stretches; a refused value changes nothing.
    void trackSettingsRunAgain()
    {
        Window w;
        const QTemporaryDir dir;
        // Two climbs along a parallel, a point every 0.001° (about 81 m): 1000 to 1300 m, down
        // to 1100 m, up to 1250 m.
        QByteArray gpx = "<gpx><trk><name>Гребень</name><trkseg>";
        for (int k = 0; k <= 40; ++k)
            gpx += QString("<trkpt lat=\"43.5\" lon=\"%1\"><ele>%2</ele></trkpt>")
                       .arg(42 + k / 1000.0).arg(k <= 20 ? 1000 + 15 * k : k <= 30 ? 1300 - 20 * (k - 20) : 1100 + 15 * (k - 30)).toUtf8();
        QVERIFY(Write(dir.filePath("ridge.gpx"), gpx + "</trkseg></trk></gpx>"));
        const auto run = [&](const QString& input) {
            w.box("Text1")->setText(input);
            w.box("Text2")->setText(dir.filePath("rez.txt"));
            w.click("Command2");
        };
        run(PASSCAT_GUI_DATA "/pass-utf8.txt");
        auto* results = w.get("ResultsWindow");
        auto* panel = results->findChild<TrackSettingsPanel*>("TrackSettings");
        QVERIFY(panel->isHidden());
        run(dir.filePath("ridge.gpx"));
        QVERIFY(!panel->isHidden());
        results->resize(1000, 720);
        auto* view = static_cast<ChartView*>(results->findChild<QWidget*>("ChartView"));
        auto* table = results->findChild<QTableView*>("ResultsTable");
        auto* message = results->findChild<QLabel*>("TrackMessage");
        const auto bold = [table](int row) { return table->model()->index(row, 1).data(Qt::FontRole).value<QFont>().bold(); };
        QCOMPARE(table->model()->rowCount(), 2);
        w.surfaces = {3.0, 2.0};
        for (int row = 0; row < 2; ++row) { // a stretch of each climb
            table->selectRow(row);
            const int y = view->height() / 2;
            QTest::mousePress(view, Qt::LeftButton, {}, QPoint(qRound(view->xOf(0.2)), y));
            QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(qRound(view->xOf(0.5)), y));
        }
        QVERIFY(bold(0) && bold(1));
        const auto type = [&](const char* box, const char* text) {
            auto* edit = results->findChild<QLineEdit*>(box);
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        type("TrackSmooth", "4");
        QCOMPARE(message->text(), "Ошибка: сглаживание: нужно нечетное целое число не меньше 1, задано: 4");
        type("TrackMinClimb", "0,5");
        QCOMPARE(message->text(), "Ошибка: наименьший подъём: нужно число метров больше 0 (с точкой), задано: 0,5");
        QVERIFY(table->model()->rowCount() == 2 && bold(1));
        // The second climb rises 150 m: it is gone, and its mark with it; the report is that of the new run.
        type("TrackMinClimb", "200");
        QCOMPARE(table->model()->rowCount(), 1);
        QVERIFY(bold(0) && !Read(dir.filePath("rez.txt")).contains("подъём 2"));
        QVERIFY2(message->text().endsWith("перенесены по расстоянию вдоль трека: 1 из 2\n"
                                          "Не перенесены (этого участка нет в новых подъёмах): прежний блок 2, 0,000–0,728 км, покрытие 2"),
                 qPrintable(message->text()));
        // The re-run forgot the steps before it; carrying the marks is the one step after it.
        results->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(results));
        QTest::keyClick(results, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!bold(0) && !results->findChild<QToolButton*>("ResultsUndo")->isEnabled());
    }

    // The terrain folder is remembered and the first run takes it; the results window says
    // which tiles the points needed. The tile, made here, rises 2 m a column eastward from 1000 m.
    void terrainTilesOfARun()
    {
        const QTemporaryDir dir;
        QByteArray tile;
        for (int row = 0; row < 1201; ++row)
            for (int column = 0; column < 1201; ++column)
                tile += char((1000 + 2 * column) >> 8) + QByteArray(1, char((1000 + 2 * column) & 0xff));
        QVERIFY(QDir(dir.path()).mkdir("tiles") && Write(dir.filePath("tiles/N43E042.hgt"), tile));
        QVERIFY(Write(dir.filePath("route.gpx"), "<gpx><trk><name>Маршрут</name><trkseg><trkpt lat=\"43.5\" lon=\"42.5\"/>"
                      "<trkpt lat=\"43.5\" lon=\"42.9\"/><trkpt lat=\"43.5\" lon=\"43.1\"/></trkseg></trk></gpx>"));
        QSettings("passcat", "passcat").setValue("tracks/terrainFolder", dir.filePath("tiles"));
        Window w;
        w.box("Text1")->setText(dir.filePath("route.gpx"));
        w.box("Text2")->setText(dir.filePath("rez.txt"));
        w.click("Command2");
        auto* results = w.get("ResultsWindow");
        QVERIFY2(results && results->isVisible(), qPrintable(w.shown));
        QCOMPARE(results->findChild<QLabel*>("TerrainTiles")->text(), "Файлы высот: прочитаны N43E042.hgt; нет файлов N43E043.hgt");
        QVERIFY(Read(dir.filePath("rez.txt")).startsWith("Маршрут, подъём 1"));
        w.answers = {dir.filePath("none")};
        QTest::mouseClick(results->findChild<QPushButton*>("TerrainBrowse"), Qt::LeftButton);
        QVERIFY(results->findChild<QLabel*>("TrackMessage")->text().startsWith("Ошибка: не удалось открыть папку файлов высот " + dir.filePath("none")));
        QCOMPARE(TrackSettingsPanel::Remembered().terrainFolder, dir.filePath("tiles"));
        QSettings("passcat", "passcat").remove("tracks");
    }

    void messageBoxShowsPlainText()
    {
        const QString text = "Ошибка: не найден файл <b>C:\\a & b.txt</b>";
        for (const auto& [icon, boxIcon] :
             {std::pair{MessageIcon::None, QMessageBox::NoIcon}, {MessageIcon::Critical, QMessageBox::Critical}}) {
            const auto box = BuildMessageBox(nullptr, text, icon);
            QVERIFY(box->icon() == boxIcon && box->text() == text && box->textFormat() == Qt::PlainText);
            QVERIFY(box->windowTitle().isEmpty() && box->standardButtons() == QMessageBox::Ok && box->isModal());
        }
    }

    void waitCursorUndoesOnlyItsOwn()
    {
        // 'f': another override stands beneath; 's': show, 'r': restore, 'd': the adapter goes away.
        const std::pair<QString, int> cases[] = {
            {"s", Qt::WaitCursor}, {"ssr", -1}, {"sd", -1}, {"fr", Qt::CrossCursor}, {"fsrr", Qt::CrossCursor}};
        for (const auto& [steps, shapeAfter] : cases) {
            std::optional<WaitCursor> cursor(std::in_place);
            for (const QChar step : steps)
                step == u'f' ? QGuiApplication::setOverrideCursor(Qt::CrossCursor)
                             : (step == u's' ? cursor->show() : step == u'r' ? cursor->restore() : cursor.reset());
            const QCursor* now = QGuiApplication::overrideCursor();
            QVERIFY2((now ? int(now->shape()) : -1) == shapeAfter, qPrintable(steps)); // -1: no override
            while (QGuiApplication::overrideCursor())
                QGuiApplication::restoreOverrideCursor();
        }
    }
};

} // namespace passcat

QTEST_MAIN(passcat::WindowTest)
#include "window_test.moc"
