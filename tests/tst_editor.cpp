// The station editor: adding and editing stations, its refusals and its input filters.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QtTest>

using namespace tallivor;

class TestEditor : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void addWithoutASelectedRow();
    void addWithTheSelectedRowsNameIsRefused();
    void addToABoardWithARowSelected();
    void addWhenTheScrollBarAlreadyHoldsTheNewIndex();
    void editWritesIntoTheRowSelectedWhenSaving();
    void refusalsLeaveTheBoardAsItWas_data();
    void refusalsLeaveTheBoardAsItWas();
    void keyFiltersOfTheTimeBoxes();
    void longTimesAndTimesWithoutColonSurvive();
    void fullBoardRefusesAnotherStation();
    void cancelDiscardsTheWindowNotTheRows();

private:
    EditDialog* editor() { return m_form->edit(); }
};

void TestEditor::addWithoutASelectedRow()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    op::click(m_form->btn[Button::Add]);
    EditDialog* dialog = editor();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->ISEDIT);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Add Computer"));
    QCOMPARE(dialog->frmcaption->text(), QStringLiteral("Add Computer"));
    QCOMPARE(dialog->btn[DialogButton::Save]->text(), QStringLiteral("Save"));
    QCOMPARE(dialog->computerName->text(), QString());
    QCOMPARE(dialog->MIN_TEXT->text(), QStringLiteral("00"));
    QCOMPARE(dialog->SEC_TEXT->text(), QStringLiteral("00"));
    QCOMPARE(dialog->Time->text(), QStringLiteral("00:00"));

    op::retype(dialog->computerName, QStringLiteral("Table 1"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(column(m_form->Eventlist), QStringList({"Stop"}));
    QCOMPARE(column(m_form->Namelist), QStringList({"Table 1"}));
    QCOMPARE(column(m_form->timeList), QStringList({"00:00"}));
    QCOMPARE(column(m_form->Rellist), QStringList({"00"}));
    QCOMPARE(m_form->Namelist->listIndex(), 0);
    QVERIFY(dialog->isVisible()); // the editor stays open

    // Save again with the same name: the new row is the selected one now, so the name is refused.
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(m_form->Namelist->listCount(), 1);
    QCOMPARE(dialog->computerName->backColor(), yellow);
    QTest::keyClick(dialog->computerName, Qt::Key_2);
    QCOMPARE(dialog->computerName->backColor(), white);
}

void TestEditor::addWithTheSelectedRowsNameIsRefused()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00", "Start,B,1:0,10"}));
    op::clickRow(m_form->Namelist, 0);
    op::click(m_form->btn[Button::Add]);
    QCOMPARE(editor()->computerName->text(), QStringLiteral("A"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->Namelist->listCount(), 2);
    QCOMPARE(editor()->computerName->backColor(), yellow);
    // The name of a row that is not selected is fine: names need not be unique.
    op::retype(editor()->computerName, QStringLiteral("B"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(column(m_form->Namelist), QStringList({"A", "B", "B"}));
}

void TestEditor::addToABoardWithARowSelected()
{
    m_form = m_folder->startShown(m_platform,
                                  englishBoard({"Stop,A,0:0,00", "Start,B,1:0,10", "Stop,C,0:0,00", "Stop,D,0:0,00"}));
    op::clickRow(m_form->timeList, 1);
    op::click(m_form->btn[Button::Add]);
    op::retype(editor()->computerName, QStringLiteral("Table 3"));
    op::retype(editor()->MIN_TEXT, QStringLiteral("5"));
    op::retype(editor()->SEC_TEXT, QStringLiteral("7"));
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->Eventlist->list(4), QStringLiteral("Stop"));
    QCOMPARE(m_form->Namelist->list(4), QStringLiteral("Table 3"));
    QCOMPARE(m_form->timeList->list(4), QStringLiteral("5:7"));
    QCOMPARE(m_form->Rellist->list(4), QStringLiteral("00"));
    QCOMPARE(m_form->VScroll1->max(), 4);
    QCOMPARE(m_form->VScroll1->value(), 4);
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist}) {
        QCOMPARE(list->listIndex(), 4);
        QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }
}

void TestEditor::addWhenTheScrollBarAlreadyHoldsTheNewIndex()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00", "Stop,B,0:0,00"}));
    // Removing the selected last row leaves the scroll bar at 1 and nothing selected.
    op::click(m_form->btn[Button::Remove]);
    op::click(m_form->btn[Button::Remove]);
    QCOMPARE(m_form->Namelist->listCount(), 1);
    QCOMPARE(m_form->VScroll1->value(), 1);
    op::click(m_form->btn[Button::Add]);
    op::retype(editor()->computerName, QStringLiteral("X"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(column(m_form->Namelist), QStringList({"A", "X"}));
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        QCOMPARE(list->listIndex(), 1);           // the new station is selected all the same
    op::click(editor()->btn[DialogButton::Save]); // so a second Save does not add it twice
    QCOMPARE(column(m_form->Namelist), QStringList({"A", "X"}));
    QCOMPARE(editor()->computerName->backColor(), yellow);
}

void TestEditor::editWritesIntoTheRowSelectedWhenSaving()
{
    m_form =
        m_folder->startShown(m_platform, englishBoard({"Start,Table 3,1:5,10", "Stop,B,0:0,00", "Start,C,2:0,20"}));
    op::doubleClickRow(m_form->Namelist, 0);
    EditDialog* dialog = editor();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->ISEDIT);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Save"));
    QCOMPARE(dialog->frmcaption->text(), QStringLiteral("Edit Computer"));
    QCOMPARE(dialog->computerName->text(), QStringLiteral("Table 3"));
    QCOMPARE(dialog->MIN_TEXT->text(), QStringLiteral("1"));
    QCOMPARE(dialog->SEC_TEXT->text(), QStringLiteral("5"));

    op::retype(dialog->computerName, QStringLiteral("Table 4"));
    op::retype(dialog->MIN_TEXT, QStringLiteral("12"));
    op::retype(dialog->SEC_TEXT, QStringLiteral("30"));
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(column(m_form->Namelist), QStringList({"Table 4", "B", "C"}));
    QCOMPARE(column(m_form->timeList), QStringList({"12:30", "0:0", "2:0"}));
    QCOMPARE(column(m_form->Eventlist), QStringList({"Start", "Stop", "Start"}));
    QCOMPARE(column(m_form->Rellist), QStringList({"10", "00", "20"}));
    // Saving the row's own name again is fine when editing.
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(dialog->computerName->backColor(), white);

    // With the editor still open the operator selects another row: Save writes there.
    op::clickRow(m_form->Rellist, 2);
    op::click(dialog->btn[DialogButton::Save]);
    QCOMPARE(column(m_form->Namelist), QStringList({"Table 4", "B", "Table 4"}));
    QCOMPARE(m_form->timeList->list(2), QStringLiteral("12:30"));
}

void TestEditor::refusalsLeaveTheBoardAsItWas_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("yellowBox");
    const auto row = [](const char* tag, bool editing, const char* name, const char* minutes, const char* seconds,
                        const char* yellowBox) {
        QTest::newRow(tag) << editing << QString::fromUtf8(name) << QString::fromUtf8(minutes)
                           << QString::fromUtf8(seconds) << QString::fromUtf8(yellowBox);
    };
    row("add, empty minutes", false, "New", "", "5", "MIN_TEXT");
    row("add, empty seconds", false, "New", "5", "", "SEC_TEXT");
    row("add, empty name", false, "", "5", "5", "computerName");
    row("add, name with a comma", false, "A,B", "5", "5", "computerName");
    row("edit, empty name", true, "", "5", "5", "computerName");
    row("edit, empty seconds", true, "New", "5", "", "SEC_TEXT");
    row("edit, name with a comma", true, "x,y", "5", "5", "computerName");
}

void TestEditor::refusalsLeaveTheBoardAsItWas()
{
    QFETCH(bool, editing);
    QFETCH(QString, name);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(QString, yellowBox);
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,A,1:5,10", "Stop,B,0:0,00"}));
    op::clickRow(m_form->Namelist, 0);
    op::click(m_form->btn[editing ? Button::Edit : Button::Add]);
    op::retype(editor()->computerName, name);
    op::retype(editor()->MIN_TEXT, minutes);
    op::retype(editor()->SEC_TEXT, seconds);
    op::click(editor()->btn[DialogButton::Save]);

    QCOMPARE(column(m_form->Namelist), QStringList({"A", "B"}));
    QCOMPARE(column(m_form->timeList), QStringList({"1:5", "0:0"}));
    QCOMPARE(m_form->Namelist->listIndex(), 0);
    for (TextBox* box : {editor()->computerName, editor()->MIN_TEXT, editor()->SEC_TEXT})
        QCOMPARE(box->backColor(), box->objectName() == yellowBox ? yellow : white);
    // Typing into the refused box makes it white again.
    TextBox* refused = editor()->controls().get<TextBox>(qPrintable(yellowBox));
    QTest::keyClick(refused, Qt::Key_1);
    QCOMPARE(refused->backColor(), white);
}

void TestEditor::keyFiltersOfTheTimeBoxes()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    op::click(m_form->btn[Button::Add]);
    TextBox* minutes = editor()->MIN_TEXT;
    TextBox* seconds = editor()->SEC_TEXT;
    op::retype(minutes, QStringLiteral("1a.- 2"));
    QCOMPARE(minutes->text(), QStringLiteral("12"));
    QTest::keyClicks(minutes, QStringLiteral("34"));
    QCOMPARE(minutes->text(), QStringLiteral("123")); // a fourth digit is refused
    QTest::keyClick(minutes, Qt::Key_Backspace);
    QCOMPARE(minutes->text(), QStringLiteral("12"));
    QTest::keyClick(minutes, Qt::Key_V, Qt::ControlModifier); // no paste past the filter
    QCOMPARE(minutes->text(), QStringLiteral("12"));
    op::retype(seconds, QStringLiteral("759"));
    QCOMPARE(seconds->text(), QStringLiteral("75")); // seconds past 59 are taken as typed
    // Replacing a selected digit is allowed at the limit.
    seconds->selectAll();
    QTest::keyClick(seconds, Qt::Key_4);
    QCOMPARE(seconds->text(), QStringLiteral("4"));
}

void TestEditor::longTimesAndTimesWithoutColonSurvive()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,Long,1000:5,99", "Stop,Odd,12,0"}));
    op::clickRow(m_form->Namelist, 0);
    op::click(m_form->btn[Button::Edit]);
    QCOMPARE(editor()->MIN_TEXT->text(), QStringLiteral("1000")); // the box limits typing, not what it is given
    QCOMPARE(editor()->SEC_TEXT->text(), QStringLiteral("5"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->timeList->list(0), QStringLiteral("1000:5"));

    op::clickRow(m_form->Namelist, 1);
    op::click(m_form->btn[Button::Edit]);
    QCOMPARE(editor()->MIN_TEXT->text(), QStringLiteral("12"));
    QCOMPARE(editor()->SEC_TEXT->text(), QString());
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->timeList->list(1), QStringLiteral("12")); // nothing saved until seconds are typed
    QCOMPARE(editor()->SEC_TEXT->backColor(), yellow);
    QTest::keyClicks(editor()->SEC_TEXT, QStringLiteral("3"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->timeList->list(1), QStringLiteral("12:3"));
}

void TestEditor::fullBoardRefusesAnotherStation()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    QStringList names;
    for (int i = 0; i < 32767; ++i)
        names << QStringLiteral("PC %1").arg(i);
    m_form->Namelist->column().append(names);
    m_form->Eventlist->column().append(QStringList(names.size(), QStringLiteral("Stop")));
    m_form->timeList->column().append(QStringList(names.size(), QStringLiteral("0:0")));
    m_form->Rellist->column().append(QStringList(names.size(), QStringLiteral("00")));
    op::click(m_form->btn[Button::Add]);
    op::retype(editor()->computerName, QStringLiteral("One too many"));
    op::click(editor()->btn[DialogButton::Save]);
    QCOMPARE(m_form->Namelist->listCount(), 32767);
    QCOMPARE(editor()->computerName->backColor(), yellow);
}

void TestEditor::cancelDiscardsTheWindowNotTheRows()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    op::click(m_form->btn[Button::Add]);
    op::retype(editor()->computerName, QStringLiteral("Kept"));
    op::click(editor()->btn[DialogButton::Save]);
    QPointer<EditDialog> first = editor();
    op::click(first->btn[DialogButton::Cancel]);
    QVERIFY(!m_form->hasEdit());
    QTRY_VERIFY(first.isNull()); // discarded
    QCOMPARE(column(m_form->Namelist), QStringList({"Kept"}));
    // The next opening starts from a new window.
    op::click(m_form->btn[Button::Add]);
    QVERIFY(editor() != nullptr);
    QVERIFY(editor()->isVisible());
    QCOMPARE(editor()->computerName->text(), QStringLiteral("Kept"));
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
