#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <optional>

#include "platform/busy_cursor.h"
#include "platform/message_presenter.h"

Q_DECLARE_METATYPE(passcat::MessageIcon)

namespace passcat {

class WindowAdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void messageBox_data();
    void messageBox();
    void waitCursorUndoesOnlyItsOwn_data();
    void waitCursorUndoesOnlyItsOwn();
};

void WindowAdaptersTest::messageBox_data()
{
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QMessageBox::Icon>("boxIcon");
    QTest::newRow("notice") << MessageIcon::None << QMessageBox::NoIcon;
    QTest::newRow("error") << MessageIcon::Critical << QMessageBox::Critical;
}

void WindowAdaptersTest::messageBox()
{
    QFETCH(MessageIcon, icon);
    QFETCH(QMessageBox::Icon, boxIcon);

    const QString text = QStringLiteral("Ошибка: не найден файл <b>C:\\a & b.txt</b>");
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(nullptr, text, icon);
    QCOMPARE(box->icon(), boxIcon);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QVERIFY(box->windowTitle().isEmpty());
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(box->isModal());
}

// Each step is 's' (show), 'r' (restore) or 'd' (the adapter goes away); an
// override set by someone else may stand beneath.
void WindowAdaptersTest::waitCursorUndoesOnlyItsOwn_data()
{
    QTest::addColumn<bool>("foreignOverride");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("waitCursorAfter");

    QTest::newRow("show, restore") << false << "sr" << false;
    QTest::newRow("shown twice, restored once") << false << "ssr" << false;
    QTest::newRow("restored twice") << false << "srr" << false;
    QTest::newRow("shown, then gone") << false << "sd" << false;
    QTest::newRow("still shown") << false << "s" << true;
    QTest::newRow("restore alone over a foreign one") << true << "r" << false;
    QTest::newRow("restored twice over a foreign one") << true << "srr" << false;
    QTest::newRow("gone over a foreign one") << true << "ssd" << false;
}

void WindowAdaptersTest::waitCursorUndoesOnlyItsOwn()
{
    QFETCH(bool, foreignOverride);
    QFETCH(QString, steps);
    QFETCH(bool, waitCursorAfter);

    if (foreignOverride)
        QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    std::optional<WaitCursor> cursor(std::in_place);
    for (const QChar step : steps) {
        if (step == u's')
            cursor->show();
        else if (step == u'r')
            cursor->restore();
        else
            cursor.reset();
    }

    const QCursor* current = QGuiApplication::overrideCursor();
    const auto expected = waitCursorAfter ? std::optional(Qt::WaitCursor)
        : foreignOverride                 ? std::optional(Qt::CrossCursor)
                                          : std::nullopt;
    QCOMPARE(current ? std::optional(current->shape()) : std::nullopt, expected);

    cursor.reset();
    if (foreignOverride)
        QGuiApplication::restoreOverrideCursor();
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

} // namespace passcat

QTEST_MAIN(passcat::WindowAdaptersTest)
#include "window_adapters_test.moc"
