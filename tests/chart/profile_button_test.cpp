#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/busy_cursor.h"
#include "gui/chart_window.h"
#include "gui/file_dialog.h"
#include "gui/main_form.h"
#include "gui/message_presenter.h"
#include "tests/support/worked_example.h"

namespace passcat {
namespace {

class SavingDialog final : public FileDialog {
public:
    QString askOpenFileName(QWidget*, const QString&) override { return {}; }
    QString askSaveFileName(QWidget*, const QString& suggested, const QString&, QString&) override
    {
        suggestions.append(suggested);
        return answer;
    }
    QString answer;
    QStringList suggestions;
};

class RecordingPresenter final : public MessagePresenter {
public:
    void present(QWidget*, const QString& text, MessageIcon) override { shown.append(text); }
    QStringList shown;
};

class IdleCursor final : public BusyCursor {
public:
    void show() override {}
    void restore() override {}
};

} // namespace

class ProfileButtonTest : public QObject {
    Q_OBJECT

private:
    void calculate(const QString& input)
    {
        form.findChild<QLineEdit*>("Text1")->setText(input);
        form.findChild<QLineEdit*>("Text2")->setText(folder.filePath("rez.txt"));
        QTest::mouseClick(form.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    }

    QTemporaryDir folder;
    SavingDialog dialog;
    RecordingPresenter presenter;
    IdleCursor cursor;
    MainForm form{dialog, presenter, cursor};
    QPushButton* profile = form.findChild<QPushButton*>("CommandProfile");

private slots:
    void followsTheRunsAndSavesTheChart()
    {
        QVERIFY(profile && !profile->isEnabled());
        QCOMPARE(profile->geometry(), QRect(298, 94, 80, 27));

        QFile input(folder.filePath("passes.txt"));
        QVERIFY(input.open(QIODevice::WriteOnly));
        input.write(testing::kWorkedExampleInput.data(), static_cast<qint64>(testing::kWorkedExampleInput.size()));
        input.write("Отвергнутый\n2000\t0\t1\n1900\t1\t1\n@@@\n");
        input.close();
        calculate(input.fileName());
        QVERIFY(profile->isEnabled());
        QTest::mouseClick(profile, Qt::LeftButton);
        auto* window = form.findChild<ChartWindow*>("ChartWindow");
        QVERIFY(window && window->isVisible());
        auto* list = window->findChild<QListWidget*>("ChartList");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Пример 1"));

        dialog.answer = folder.filePath("profile.png");
        QTest::mouseClick(window->findChild<QPushButton*>("ChartSave"), Qt::LeftButton);
        QCOMPARE(dialog.suggestions, QStringList("001.svg"));
        QFile saved(dialog.answer);
        QVERIFY(saved.open(QIODevice::ReadOnly) && saved.read(4) == "\x89PNG");
        dialog.answer = folder.filePath("missing/profile.svg");
        QTest::mouseClick(window->findChild<QPushButton*>("ChartSave"), Qt::LeftButton);
        QCOMPARE(presenter.shown.size(), 2); // the rejected block, then the failed save
        QVERIFY(presenter.shown.last().startsWith("Ошибка: не удалось записать файл " + dialog.answer));

        calculate(folder.filePath("missing.txt"));
        QVERIFY(!profile->isEnabled());
        QVERIFY(!window->isVisible());
    }
};

} // namespace passcat

QTEST_MAIN(passcat::ProfileButtonTest)
#include "profile_button_test.moc"
