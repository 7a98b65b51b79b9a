// Selling time at the board, as the operator does it: + and -, the alarm and its acknowledgement, and the editor that
// saves what the operator changed, onto the station it was opened for.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "dialogs/EditDialog.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QTimer>
#include <QtTest>

using namespace tallivor;


class TestPaidWindow : public BoardTest
{
    Q_OBJECT
    Board& board() { return m_form->board(); }
    EditDialog* openEditor(int row)
    {
        op::clickRow(m_form->Namelist, row);
        op::click(m_form->btn(Button::Edit));
        return m_form->form().edit();
    }

private Q_SLOTS:
    void plusAndMinusOnTheBoard_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<std::optional<qint64>>("paid");
        QTest::newRow("+ on the main keyboard (Shift and =)")
            << Qt::Key_Plus << Qt::KeyboardModifiers(Qt::ShiftModifier) << std::optional<qint64>(1754 + 900);
        QTest::newRow("+ on the keypad") << Qt::Key_Plus << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                         << std::optional<qint64>(1754 + 900);
        QTest::newRow("- on the keypad") << Qt::Key_Minus << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                         << std::optional<qint64>(1754 - 900);
        QTest::newRow("Ctrl and + is no key of the board")
            << Qt::Key_Plus << Qt::KeyboardModifiers(Qt::ControlModifier) << std::optional<qint64>(1754);
    }
    void plusAndMinusOnTheBoard()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(std::optional<qint64>, paid);
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,A,0:0,0", "Stop,B,12:34,120,,29:14"}));
        QTest::keyClick(m_form->Namelist, key, modifiers); // the last row is selected
        QCOMPARE(board().paidTime(1), paid);
        QCOMPARE(board().paidTime(0), std::optional<qint64>());
    }

    void theAlarmRingsUntilAcknowledged()
    {
        m_form = startShown(*m_folder, m_platform,
                            englishBoard({"Start,A,59:59,590,,60:0", "Start,B,59:59,590,,60:0", "Stop,C,0:0,0"}));
        auto* repeat = m_form->form().findChild<QTimer*>(QStringLiteral("alarmRepeat"));
        QVERIFY(repeat && !repeat->isActive());
        board().tick(); // both reach their paid end in one tick: one sound
        QCOMPARE(m_platform.alarms, 1);
        repeat->setInterval(20);
        QTRY_VERIFY(m_platform.alarms >= 3); // and again, while nobody acknowledges
        op::clickRow(m_form->Namelist, 2);
        QCOMPARE(board().paidState(0), PaidState::Due); // a press on another row acknowledges nothing
        op::press(Qt::Key_Up); // nor does moving the selection by key, onto a due row
        QCOMPARE(board().paidState(1), PaidState::Due);
        op::clickRow(m_form->timeList, 1); // a press on the selected due row acknowledges it
        QCOMPARE(board().paidState(1), PaidState::Acknowledged);
        QVERIFY(repeat->isActive());
        op::press(Qt::Key_Escape); // every due station
        QCOMPARE(board().paidState(0), PaidState::Acknowledged);
        QVERIFY(!repeat->isActive());
        const int rung = m_platform.alarms;
        QTest::qWait(60);
        QCOMPARE(m_platform.alarms, rung);
        // A station due again rings again; removing it silences it.
        board().topUp(0, true);
        board().setPaidTime(0, board().usedSeconds(0));
        QCOMPARE(m_platform.alarms, rung + 1);
        board().removeStation(0);
        QVERIFY(!repeat->isActive());
    }

    void theEditorSavesWhatWasChanged_data()
    {
        QTest::addColumn<QString>("change"); // what happens while the editor is open
        QTest::addColumn<QStringList>("rows");
        // clang-format off
        QTest::newRow("a rename keeps the live time") << "rename" << QStringList{"Start,PC 1,2:33,20", "Stop,B,0:0,0"};
        QTest::newRow("a bill meanwhile stays billed") << "bill" << QStringList{"Start,A,00:00,00", "Stop,B,0:0,0"};
        QTest::newRow("the minutes typed are taken") << "minutes" << QStringList{"Start,A,5:33,20", "Stop,B,0:0,0"};
        QTest::newRow("the station it was opened for, whatever is selected") << "select" << QStringList{"Start,A,2:33,20", "Stop,PC 2,0:0,0"};
        QTest::newRow("a station removed meanwhile: refused") << "remove" << QStringList{"Stop,B,0:0,0"};
        QTest::newRow("another station's name: refused") << "duplicate" << QStringList{"Start,A,2:33,20", "Stop,B,0:0,0"};
        // clang-format on
    }
    void theEditorSavesWhatWasChanged()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, rows);
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,A,1:33,10", "Stop,B,0:0,0"}));
        EditDialog* editor = openEditor(0);
        board().tick(60);
        if (change == QLatin1String("rename") || change == QLatin1String("select"))
            op::retype(editor->computerName, change == QLatin1String("rename") ? "PC 1" : "A");
        if (change == QLatin1String("bill")) {
            op::click(m_form->btn(Button::Reset));
            op::click(m_form->btn(Button::Reset));
        }
        if (change == QLatin1String("minutes"))
            op::retype(editor->MIN_TEXT, QStringLiteral("5"));
        if (change == QLatin1String("select")) {
            editor = openEditor(1);
            op::retype(editor->computerName, QStringLiteral("PC 2"));
            op::clickRow(m_form->Namelist, 0);
        }
        if (change == QLatin1String("remove")) {
            op::click(m_form->btn(Button::Remove));
            op::click(m_form->btn(Button::Remove));
        }
        if (change == QLatin1String("duplicate"))
            op::retype(editor->computerName, QStringLiteral("B"));
        QTest::keyClick(editor->SEC_TEXT, Qt::Key_Return);
        QCOMPARE(rowsOf(board()), rows);
        const bool refused = change == QLatin1String("remove") || change == QLatin1String("duplicate");
        QCOMPARE(editor->computerName->backColor(), refused ? yellow : white);
    }

    void theEditorSetsAndClearsAPriceAndAPaidTime()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,A,10:0,0"}));
        EditDialog* editor = openEditor(0);
        op::retype(editor->PRICE_TEXT, QStringLiteral("0,25"));
        op::retype(editor->PAID_MIN_TEXT, QStringLiteral("70"));
        op::retype(editor->PAID_SEC_TEXT, QStringLiteral("5"));
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(board().ownPrice(0), std::optional<QString>(QStringLiteral("0.25")));
        QCOMPARE(board().paidTime(0), std::optional<qint64>(70 * 60 + 5));
        op::retype(editor->PAID_SEC_TEXT, QString()); // one box of two: refused
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(editor->PAID_SEC_TEXT->backColor(), yellow);
        op::retype(editor->PAID_MIN_TEXT, QString());
        op::retype(editor->PRICE_TEXT, QString());
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(board().paidTime(0), std::optional<qint64>());
        QCOMPARE(board().ownPrice(0), std::optional<QString>());
    }
};

QTEST_MAIN(TestPaidWindow)
#include "tst_paid_window.moc"
