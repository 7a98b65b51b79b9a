// The counter without a mouse: a shift from the keyboard alone, the confirmation keys, and what a screen reader hears.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QAccessible>
#include <QtTest>

using namespace tallivor;

class TestKeyboard : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void aShiftFromTheKeyboardAlone();
    void confirmationKeysArmAndOnlyTheirSecondPressActs_data();
    void confirmationKeysArmAndOnlyTheirSecondPressActs();
    void screenReadersHearNamesWholeRowsAndTheArmedState();

private:
    void expectFocus(QWidget* widget) { QTRY_COMPARE(QApplication::focusWidget(), widget); }
};

void TestKeyboard::aShiftFromTheKeyboardAlone()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    expectFocus(m_form->Namelist);
    for (const char* name : {"PC 1", "PC 2"}) {
        op::press(Qt::Key_Insert);
        expectFocus(m_form->edit()->computerName);
        op::type(QString::fromLatin1(name)); // replaces the selected row's name, which the box opens with selected
        op::press(Qt::Key_Return);
        op::press(Qt::Key_Escape);
        expectFocus(m_form->Namelist);
    }
    QCOMPARE(column(m_form->Namelist), QStringList({"PC 1", "PC 2"}));
    QCOMPARE(m_form->Namelist->listIndex(), 1); // the station just added

    op::press(Qt::Key_Up);
    op::press(Qt::Key_Space);
    for (int second = 0; second < 61; ++second)
        m_form->tick();
    op::press(Qt::Key_Space);
    m_form->tick();
    QCOMPARE(m_form->timeList->list(0), QStringLiteral("1:1"));
    QCOMPARE(m_form->Rellist->list(0), QStringLiteral("10"));
    op::press(Qt::Key_R, Qt::ControlModifier);
    op::press(Qt::Key_R, Qt::ControlModifier);

    op::press(Qt::Key_Down);
    op::press(Qt::Key_Return);
    expectFocus(m_form->edit()->computerName);
    op::type(QStringLiteral("VR corner"));
    for (const char* digits : {"5", "30"}) {
        op::press(Qt::Key_Tab); // into the minutes, then the seconds, their text selected
        op::type(QString::fromLatin1(digits));
    }
    op::press(Qt::Key_Enter); // from the seconds box, typing nothing into it
    QCOMPARE(m_form->Namelist->list(1), QStringLiteral("VR corner"));
    QCOMPARE(m_form->timeList->list(1), QStringLiteral("5:30"));
    op::press(Qt::Key_Escape);
    expectFocus(m_form->Namelist);
    op::press(Qt::Key_Delete);
    op::press(Qt::Key_Delete);

    op::press(Qt::Key_F9);
    expectFocus(m_form->settings()->Value);
    op::type(QStringLiteral("15"));
    op::press(Qt::Key_Return);
    m_form->close();
    QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), crlf({"15,English.xml", "Stop,PC 1,00:00,00"}));
}

namespace {
enum class Then
{
    Nothing,
    OtherKey,
    OtherConfirmation,
    HeldKey,
    ClickOnTheSelectedRow,
    PointerOverTheSurface,
    PointerOverAList,
};
} // namespace
Q_DECLARE_METATYPE(Then)

void TestKeyboard::confirmationKeysArmAndOnlyTheirSecondPressActs_data()
{
    QTest::addColumn<bool>("reset"); // Ctrl+R on "Reset Computer", else Delete on "Remove Computer"
    QTest::addColumn<Then>("then");
    QTest::addColumn<bool>("stillArmed");
    QTest::newRow("Delete twice") << false << Then::Nothing << true;
    QTest::newRow("Ctrl+R twice") << true << Then::Nothing << true;
    QTest::newRow("Delete, Escape") << false << Then::OtherKey << false;
    QTest::newRow("Ctrl+R, Escape") << true << Then::OtherKey << false;
    QTest::newRow("Ctrl+R, Delete") << true << Then::OtherConfirmation << false;
    QTest::newRow("Delete held down acts once") << false << Then::HeldKey << true;
    QTest::newRow("Delete, a click on a row") << false << Then::ClickOnTheSelectedRow << false;
    QTest::newRow("Ctrl+R, a click on a row") << true << Then::ClickOnTheSelectedRow << false;
    QTest::newRow("Delete, pointer over the board") << false << Then::PointerOverTheSurface << false;
    QTest::newRow("Delete, pointer over a list") << false << Then::PointerOverAList << true;
}

void TestKeyboard::confirmationKeysArmAndOnlyTheirSecondPressActs()
{
    QFETCH(bool, reset);
    QFETCH(Then, then);
    QFETCH(bool, stillArmed);
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,1:0,10", "Stop,B,2:0,20"})); // B selected
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    const Qt::Key key = reset ? Qt::Key_R : Qt::Key_Delete;
    const Qt::KeyboardModifiers modifiers = reset ? Qt::ControlModifier : Qt::NoModifier;
    LabelButton* label = m_form->btn[reset ? Button::Reset : Button::Remove];
    op::press(key, modifiers);
    QVERIFY(label->italic());
    switch (then) {
    case Then::Nothing: break;
    case Then::OtherKey: op::press(Qt::Key_Escape); break;
    case Then::OtherConfirmation: op::press(Qt::Key_Delete); break;
    case Then::HeldKey: {
        QKeyEvent repeat(QEvent::KeyPress, key, modifiers, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
        break;
    }
    case Then::ClickOnTheSelectedRow: op::clickRow(m_form->timeList, 1); break;
    case Then::PointerOverTheSurface: op::movePointer(m_form.get(), QPoint(8, 95)); break;
    case Then::PointerOverAList: op::movePointer(m_form->Namelist->viewport(), QPoint(40, 10)); break;
    }
    QCOMPARE(label->italic(), stillArmed);
    QCOMPARE(column(m_form->Namelist), QStringList({"A", "B"}));
    QCOMPARE(column(m_form->timeList), QStringList({"1:0", "2:0"}));

    op::press(key, modifiers); // acts when still armed, else only arms again
    QCOMPARE(label->italic(), !stillArmed);
    const bool removed = stillArmed && !reset, wasReset = stillArmed && reset;
    QCOMPARE(column(m_form->Namelist), removed ? QStringList({"A"}) : QStringList({"A", "B"}));
    QCOMPARE(column(m_form->timeList), removed    ? QStringList({"1:0"})
                                       : wasReset ? QStringList({"1:0", "00:00"})
                                                  : QStringList({"1:0", "2:0"}));
}

void TestKeyboard::screenReadersHearNamesWholeRowsAndTheArmedState()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,PC 01,42:17,420", "Stop,PC 02,15:0,150"}));
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    const auto reader = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
    // A screen reader's press on a label-button is its click.
    QCOMPARE(reader(m_form->btn[Button::Add])->role(), QAccessible::Button);
    reader(m_form->btn[Button::Settings])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(m_form->settings()->isVisible());
    m_form->btnClick(Button::Add);

    // Every list, box and label-button of the three windows that a screen reader can reach has a name.
    for (QWidget* control : m_form->findChildren<QWidget*>()) {
        if (!qobject_cast<ListBox*>(control) && !qobject_cast<TextBox*>(control) &&
            !qobject_cast<LabelButton*>(control))
            continue;
        QAccessibleInterface* read = reader(control);
        QVERIFY2(read->state().invisible || !read->text(QAccessible::Name).isEmpty(),
                 qPrintable(control->objectName()));
    }
    QCOMPARE(reader(m_form->Namelist)->text(QAccessible::Name), QStringLiteral("Computers"));
    QCOMPARE(reader(m_form->edit()->computerName)->text(QAccessible::Name), QStringLiteral("Computer name"));
    QCOMPARE(reader(m_form->btn[Button::Remove])->text(QAccessible::Accelerator), QStringLiteral("Del"));

    // Each of the four lists reads the whole station row, as it is now.
    m_form->toggleStation(1);
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        QCOMPARE(reader(list)->child(1)->text(QAccessible::Name), QStringLiteral("PC 02, Start, 15:0, 150"));

    // Arming "Remove Computer" shows in what a screen reader reads of it, and so does its disarming.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QAccessibleInterface* remove = reader(m_form->btn[Button::Remove]);
    const QString unarmed = remove->text(QAccessible::Description);
    op::press(Qt::Key_Delete);
    QVERIFY(remove->text(QAccessible::Description).startsWith(QLatin1String("Armed")));
    op::press(Qt::Key_Escape);
    QCOMPARE(remove->text(QAccessible::Description), unarmed);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
