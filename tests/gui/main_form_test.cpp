#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <string_view>
#include <vector>

#include "engine/messages.h"
#include "engine/reference_tables.h"
#include "platform/busy_cursor.h"
#include "platform/decimal_separator.h"
#include "platform/file_dialog.h"
#include "platform/message_presenter.h"
#include "shell/calculation_run.h"
#include "shell/main_form.h"
#include "tests/support/worked_example.h"

namespace passcat {
namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class ScriptedFileDialog final : public FileDialog {
public:
    QString askOpenFileName(QWidget*, const QString& filter) override
    {
        filters.append(filter);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    QStringList answers; // what the user picks, one per dialog; empty for a cancel
    QStringList filters;
};

class CountingCursor final : public BusyCursor {
public:
    void show() override
    {
        ++shows;
        busy = true;
    }
    void restore() override
    {
        if (busy)
            ++restores;
        busy = false;
    }

    int shows = 0;
    int restores = 0;
    bool busy = false;
};

class RecordingPresenter final : public MessagePresenter {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
        bool cursorBusy;
        bool realCursorOverridden;
    };

    explicit RecordingPresenter(const CountingCursor& cursor) : cursor_(cursor) {}

    void present(QWidget*, const QString& text, MessageIcon icon) override
    {
        shown.push_back({text, icon, cursor_.busy, QGuiApplication::overrideCursor() != nullptr});
    }

    std::vector<Shown> shown;

private:
    const CountingCursor& cursor_;
};

// A temporary folder for a test's input and result files.
struct TestFiles {
    QString path(const QString& name) const { return folder.filePath(name); }

    QString write(const QString& name, std::string_view content) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content.data(), static_cast<qint64>(content.size())) < 0)
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    QTemporaryDir folder;
};

// The window with its dialogs replaced.
struct Harness {
    Harness() : presenter(cursor), form(dialog, presenter, cursor) {}

    template <typename Control>
    Control* control(const char* name)
    {
        auto* found = form.findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* text(const char* name) { return control<QLineEdit>(name); }

    void calculate(const QString& input, const QString& result)
    {
        text("Text1")->setText(input);
        text("Text2")->setText(result);
        QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    }

    TestFiles files;
    ScriptedFileDialog dialog;
    CountingCursor cursor;
    RecordingPresenter presenter;
    MainForm form;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray WorkedExampleReport()
{
    return QByteArray::fromStdString(testing::WorkedExampleReportUtf8(SystemDecimalSeparator()));
}

// The report that the run itself writes for these settings, without the window.
QByteArray DirectRunReport(const QString& input, const QString& result, int regionIndex, bool byLength)
{
    struct Silent final : RunObserver {
        void setBusy(bool) override {}
        void showMessage(const RunMessage& message) override { qFatal("%s", qPrintable(message.text)); }
    } silent;
    PerformCalculationRun({input, result, regionIndex, byLength}, {SystemDecimalSeparator(), ReportEncoding::Auto},
                          silent);
    return ReadAll(result);
}

void ExpectCursorRestored(const CountingCursor& cursor)
{
    QVERIFY(cursor.shows > 0);
    QVERIFY(!cursor.busy);
    QCOMPARE(cursor.restores, cursor.shows);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaults();
    void placesEveryControl_data();
    void placesEveryControl();
    void captionsFitTheirControls();
    void tabOrderFollowsTheRows();
    void optionButtonsAreOnePair();
    void browseFillsBothPaths_data();
    void browseFillsBothPaths();
    void cancelledBrowseChangesNothing();
    void calculateWritesTheReport();
    void calculateReadsRegionAndWeightingAtTheClick_data();
    void calculateReadsRegionAndWeightingAtTheClick();
    void missingInputIsCritical_data();
    void missingInputIsCritical();
    void rejectedBlockHasNoIcon();
    void failedRunIsCritical();
    void realWaitCursorIsGoneAfterEveryPath();
};

void MainFormTest::startsWithDefaults()
{
    Harness h;
    QCOMPARE(h.form.windowTitle(), QStringLiteral("Рассчет категории трудности горного препятствия"));
    QCOMPARE(h.form.size(), QSize(542, 125));
    QCOMPARE(h.form.minimumSize(), QSize(542, 125));
    QCOMPARE(h.form.maximumSize(), QSize(542, 125));

    auto* combo = h.control<QComboBox>("Combo1");
    QVERIFY(!combo->isEditable());
    QStringList regions;
    for (const std::string_view region : kRegionNames)
        regions.append(FromUtf8(region));
    QCOMPARE(combo->count(), regions.size());
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->itemText(i), regions[i]);
    QCOMPARE(combo->currentIndex(), 5);
    QCOMPARE(combo->currentText(), QStringLiteral("Прочее"));

    QVERIFY(h.control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!h.control<QRadioButton>("Option2")->isChecked());
    QVERIFY(h.text("Text1")->text().isEmpty());
    QVERIFY(h.text("Text2")->text().isEmpty());
    QCOMPARE(h.form.focusWidget(), h.text("Text1"));
    for (const char* name : {"Command1", "Command2"}) {
        QVERIFY(!h.control<QPushButton>(name)->isDefault());
        QVERIFY(!h.control<QPushButton>(name)->autoDefault());
    }
}

void MainFormTest::placesEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Label1") << "Label1" << QRect(6, 12, 123, 21) << "Файл исходных данных";
    QTest::newRow("Text1") << "Text1" << QRect(136, 8, 363, 25) << "";
    QTest::newRow("Command1") << "Command1" << QRect(504, 8, 33, 27) << "...";
    QTest::newRow("Label2") << "Label2" << QRect(6, 40, 123, 21) << "Файл результата";
    QTest::newRow("Text2") << "Text2" << QRect(136, 38, 401, 25) << "";
    QTest::newRow("Label3(0)") << "Label3_0" << QRect(6, 68, 123, 21) << "Район похода";
    QTest::newRow("Combo1") << "Combo1" << QRect(136, 68, 401, 21) << "Прочее";
    QTest::newRow("Label3(1)") << "Label3_1" << QRect(6, 98, 123, 21) << "Тип интерполяции ";
    QTest::newRow("Option1") << "Option1" << QRect(136, 98, 75, 21) << "Высота";
    QTest::newRow("Option2") << "Option2" << QRect(218, 98, 75, 21) << "Длина";
    QTest::newRow("Command2") << "Command2" << QRect(384, 94, 155, 27) << "Рассчитать";
}

void MainFormTest::placesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    Harness h;
    auto* control = h.form.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &h.form);
    QCOMPARE(control->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        QCOMPARE(button->text(), caption);
    else if (auto* box = qobject_cast<QLineEdit*>(control))
        QCOMPARE(box->text(), caption);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        QCOMPARE(combo->currentText(), caption);
    else
        QFAIL("unexpected kind of control");
}

void MainFormTest::captionsFitTheirControls()
{
    Harness h;
    for (const char* name : {"Label1", "Label2", "Label3_0", "Label3_1", "Option1", "Option2"}) {
        const QWidget* control = h.control<QWidget>(name);
        QVERIFY2(control->sizeHint().width() <= control->width(), name);
    }
}

void MainFormTest::tabOrderFollowsTheRows()
{
    Harness h;
    h.form.show();
    h.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.form));
    QCOMPARE(QApplication::focusWidget(), h.text("Text1"));

    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // The option pair is one stop: Tab enters it at the selected button and leaves it.
    QCOMPARE(visited, (QStringList{"Command1", "Text2", "Command2", "Combo1", "Option1", "Text1"}));
}

void MainFormTest::optionButtonsAreOnePair()
{
    Harness h;
    auto* height = h.control<QRadioButton>("Option1");
    auto* length = h.control<QRadioButton>("Option2");
    QTest::mouseClick(length, Qt::LeftButton);
    QVERIFY(length->isChecked());
    QVERIFY(!height->isChecked());
    QTest::mouseClick(height, Qt::LeftButton);
    QVERIFY(height->isChecked());
    QVERIFY(!length->isChecked());
    QTest::mouseClick(height, Qt::LeftButton); // a second click cannot clear the pair
    QVERIFY(height->isChecked());
}

void MainFormTest::browseFillsBothPaths_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("result");

    QTest::newRow("folder") << "/data/trip/pass.txt" << "/data/trip/rez.txt";
    QTest::newRow("root folder") << "/pass.txt" << "/rez.txt";
    QTest::newRow("the result file itself") << "/data/rez.txt" << "/data/rez.txt";
    QTest::newRow("drive root") << "D:/pass.txt" << "D:/rez.txt";
    QTest::newRow("blank in the name") << "/my trips/pass 1.txt" << "/my trips/rez.txt";
}

void MainFormTest::browseFillsBothPaths()
{
    QFETCH(QString, chosen);
    QFETCH(QString, result);

    Harness h;
    h.dialog.answers = {chosen};
    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(h.dialog.filters, QStringList{"Text Files (*.txt)"});
    QCOMPARE(h.text("Text1")->text(), QDir::toNativeSeparators(chosen));
    QCOMPARE(h.text("Text2")->text(), QDir::toNativeSeparators(result));
}

void MainFormTest::cancelledBrowseChangesNothing()
{
    Harness h;
    h.dialog.answers = {QString(), "/data/pass.txt", QString()};

    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QVERIFY(h.text("Text1")->text().isEmpty());
    QVERIFY(h.text("Text2")->text().isEmpty());

    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QTest::keyClicks(h.text("Text1"), "x");
    h.text("Text2")->setText("/elsewhere/out.txt");
    // A cancel after an earlier choice keeps what the user typed since.
    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(h.dialog.filters.size(), 3);
    QCOMPARE(h.text("Text1")->text(), QDir::toNativeSeparators("/data/pass.txt") + "x");
    QCOMPARE(h.text("Text2")->text(), QStringLiteral("/elsewhere/out.txt"));
}

void MainFormTest::calculateWritesTheReport()
{
    Harness h;
    const QString input = h.files.write("pass.txt", testing::kWorkedExampleInput);
    h.dialog.answers = {input};
    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QTest::mouseClick(h.control<QPushButton>("Command2"), Qt::LeftButton);

    QVERIFY(h.presenter.shown.empty());
    QCOMPARE(ReadAll(h.files.path("rez.txt")), WorkedExampleReport());
    ExpectCursorRestored(h.cursor);
}

void MainFormTest::calculateReadsRegionAndWeightingAtTheClick_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<bool>("byLength");

    QTest::newRow("Каваказ, Альпы by height") << 0 << false;
    QTest::newRow("Заполярье by length") << 2 << true;
    QTest::newRow("Сибирь, Сев. Урал by height") << 1 << false;
    QTest::newRow("Прочее by length") << 5 << true;
}

void MainFormTest::calculateReadsRegionAndWeightingAtTheClick()
{
    QFETCH(int, region);
    QFETCH(bool, byLength);

    Harness h;
    const QString input = h.files.write("pass.txt", testing::kWorkedExampleInput);
    const QByteArray expected = DirectRunReport(input, h.files.path("expected.txt"), region, byLength);
    // Only a test that can fail: these settings must give another report than the defaults.
    QVERIFY(expected != WorkedExampleReport());

    // The settings change after the first run; the second run must follow them.
    const QString result = h.files.path("rez.txt");
    h.calculate(input, result);
    QCOMPARE(ReadAll(result), WorkedExampleReport());
    h.control<QComboBox>("Combo1")->setCurrentIndex(region);
    QTest::mouseClick(h.control<QRadioButton>(byLength ? "Option1" : "Option2"), Qt::LeftButton);
    QTest::mouseClick(h.control<QRadioButton>(byLength ? "Option2" : "Option1"), Qt::LeftButton);
    QTest::mouseClick(h.control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(ReadAll(result), expected);
    QVERIFY(h.presenter.shown.empty());
}

void MainFormTest::missingInputIsCritical_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("missing file") << "/no such folder/a.txt";
    QTest::newRow("empty path") << "";
    QTest::newRow("a folder") << "/";
}

void MainFormTest::missingInputIsCritical()
{
    QFETCH(QString, input);

    Harness h;
    const QString result = h.files.write("rez.txt", "old report\r\n");
    h.calculate(input, result);

    QCOMPARE(h.presenter.shown.size(), std::size_t{1});
    const auto& shown = h.presenter.shown.front();
    QCOMPARE(shown.text, QStringLiteral("Ошибка: не найден файл ") + input);
    QCOMPARE(shown.icon, MessageIcon::Critical);
    QVERIFY2(!shown.cursorBusy, "the cursor is normal before the message shows");
    QCOMPARE(ReadAll(result), QByteArray("old report\r\n"));
    ExpectCursorRestored(h.cursor);
}

void MainFormTest::rejectedBlockHasNoIcon()
{
    Harness h;
    const QString input = h.files.write("pass.txt", "Спуск\r\n3100\t0\t1\r\n3200\t1\t1\r\n3000\t2\t1\r\n@@@\r\n");
    h.calculate(input, h.files.path("rez.txt"));

    QCOMPARE(h.presenter.shown.size(), std::size_t{1});
    QCOMPARE(h.presenter.shown.front().text, FromUtf8(messages::kEndNotHigher));
    QCOMPARE(h.presenter.shown.front().icon, MessageIcon::None);
    ExpectCursorRestored(h.cursor);
}

void MainFormTest::failedRunIsCritical()
{
    // Browsing to a file named rez.txt makes both boxes name it; the run refuses to
    // overwrite its own input.
    Harness h;
    const QString input = h.files.write("rez.txt", testing::kWorkedExampleInput);
    h.dialog.answers = {input};
    QTest::mouseClick(h.control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(h.text("Text2")->text(), h.text("Text1")->text());
    QTest::mouseClick(h.control<QPushButton>("Command2"), Qt::LeftButton);

    QCOMPARE(h.presenter.shown.size(), std::size_t{1});
    QVERIFY(h.presenter.shown.front().text.startsWith(QStringLiteral("Ошибка: ")));
    QCOMPARE(h.presenter.shown.front().icon, MessageIcon::Critical);
    QCOMPARE(ReadAll(input), QByteArray::fromStdString(std::string(testing::kWorkedExampleInput)));
    ExpectCursorRestored(h.cursor);
}

void MainFormTest::realWaitCursorIsGoneAfterEveryPath()
{
    ScriptedFileDialog dialog;
    CountingCursor unused;
    RecordingPresenter presenter(unused);
    WaitCursor waitCursor;
    MainForm form(dialog, presenter, waitCursor);
    const TestFiles files;
    const QString input = files.write("pass.txt", testing::kWorkedExampleInput);
    const QString rejected = files.write("rejected.txt", "A\r\n3100\t0\t1\r\n3200\t1\t1\r\n3000\t2\t1\r\n@@@\r\n");
    const QString result = files.path("rez.txt");

    struct Path {
        QString input;
        QString result;
        bool withMessage;
        bool cursorNormalAtMessage; // the run ends its busy state before a failure's message
    };
    const Path paths[] = {
        {input, result, false, false},                               // accepted
        {rejected, result, true, false},                             // block rejected
        {files.path("missing.txt"), result, true, true}, // missing input
        {input, input, true, true},                                  // run failed
    };
    for (const Path& path : paths) {
        presenter.shown.clear();
        form.findChild<QLineEdit*>("Text1")->setText(path.input);
        form.findChild<QLineEdit*>("Text2")->setText(path.result);
        QTest::mouseClick(form.findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(presenter.shown.size(), std::size_t{path.withMessage ? 1u : 0u});
        if (path.cursorNormalAtMessage)
            QVERIFY(!presenter.shown.front().realCursorOverridden);
        QVERIFY2(QGuiApplication::overrideCursor() == nullptr, qPrintable(path.input));
    }
}

} // namespace passcat

QTEST_MAIN(passcat::MainFormTest)
#include "main_form_test.moc"
