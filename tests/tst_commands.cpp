// The label-button commands of the main window.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QtTest>

using namespace tallivor;

class TestCommands : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void resetNeedsTwoClicks();
    void removeNeedsTwoClicksWithoutLeavingTheLabel();
    void resetAndRemoveWithoutASelectedRowDoNothing();
    void editWithoutASelectedRowOpensNothing();
    void addReplacesWhatWasTypedInAnOpenEditor();
    void settingsOpensWithThePriceAndLanguage();
    void openersApplyTheLanguageAfterShowing();
    void linksOpenTheMakersAddress();
    void captionsAndCreditDoNothing();
    void closingWithADialogOpenEndsWithoutApplyingIt();
};

void TestCommands::resetNeedsTwoClicks()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,A,12:34,120", "Stop,B,1:0,10"}));
    op::clickRow(m_form->Namelist, 0);
    LabelButton* reset = m_form->btn[Button::Reset];
    op::click(reset);
    QVERIFY(reset->italic());
    QCOMPARE(column(m_form->timeList), QStringList({"12:34", "1:0"}));
    op::click(reset);
    QVERIFY(!reset->italic());
    QCOMPARE(column(m_form->timeList), QStringList({"00:00", "1:0"}));
    QCOMPARE(column(m_form->Rellist), QStringList({"00", "10"}));
    QCOMPARE(m_form->Eventlist->list(0), QStringLiteral("Start")); // it keeps running
    m_form->tick();
    QCOMPARE(m_form->timeList->list(0), QStringLiteral("00:1"));
}

void TestCommands::removeNeedsTwoClicksWithoutLeavingTheLabel()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00", "Start,B,1:0,10", "Stop,C,2:0,20"}));
    op::clickRow(m_form->Namelist, 1);
    LabelButton* remove = m_form->btn[Button::Remove];
    op::click(remove);
    QVERIFY(remove->italic());
    // The pointer wanders onto the window background: the label is disarmed, the next click only arms it again.
    op::movePointer(m_form.get(), QPoint(300, 66));
    QVERIFY(!remove->italic());
    op::click(remove);
    QVERIFY(remove->italic());
    QCOMPARE(m_form->Namelist->listCount(), 3);

    op::click(remove);
    QVERIFY(!remove->italic());
    QCOMPARE(column(m_form->Eventlist), QStringList({"Stop", "Stop"}));
    QCOMPARE(column(m_form->Namelist), QStringList({"A", "C"}));
    QCOMPARE(column(m_form->timeList), QStringList({"0:0", "2:0"}));
    QCOMPARE(column(m_form->Rellist), QStringList({"00", "20"}));
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        QCOMPARE(list->listIndex(), -1);
}

void TestCommands::resetAndRemoveWithoutASelectedRowDoNothing()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,1:0,10", "Stop,B,2:0,20"}));
    op::click(m_form->btn[Button::Remove]);
    op::click(m_form->btn[Button::Remove]); // removes B, the selected last row
    QCOMPARE(column(m_form->Namelist), QStringList({"A"}));
    for (Button button : {Button::Remove, Button::Reset}) {
        op::click(m_form->btn[button]);
        op::click(m_form->btn[button]);
    }
    QCOMPARE(column(m_form->Namelist), QStringList({"A"}));
    QCOMPARE(column(m_form->timeList), QStringList({"1:0"}));
    QCOMPARE(column(m_form->Rellist), QStringList({"10"}));
}

void TestCommands::editWithoutASelectedRowOpensNothing()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,1:0,10", "Stop,B,2:0,20"}));
    op::click(m_form->btn[Button::Remove]);
    op::click(m_form->btn[Button::Remove]);
    op::click(m_form->btn[Button::Edit]);
    QVERIFY(!m_form->edit()->isVisible());
}

void TestCommands::addReplacesWhatWasTypedInAnOpenEditor()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,A,12:34,120"}));
    op::click(m_form->btn[Button::Edit]);
    EditDialog* dialog = m_form->edit();
    QVERIFY(dialog->ISEDIT);
    op::retype(dialog->MIN_TEXT, QStringLiteral("99"));
    op::click(m_form->btn[Button::Add]);
    QCOMPARE(m_form->edit(), dialog); // the same window, prepared anew
    QVERIFY(!dialog->ISEDIT);
    QCOMPARE(dialog->MIN_TEXT->text(), QStringLiteral("00"));
    QCOMPARE(dialog->computerName->text(), QStringLiteral("A"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Add Computer"));
}

void TestCommands::settingsOpensWithThePriceAndLanguage()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    m_form->REL->setText(QStringLiteral("0.5"));
    op::click(m_form->btn[Button::Settings]);
    SettingsDialog* dialog = m_form->settings();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Value->text(), QStringLiteral("0.5"));
    QCOMPARE(dialog->language_text->text(), QStringLiteral("English.xml"));
    QCOMPARE(dialog->btn[DialogButton::Save]->text(), QStringLiteral("Save"));
}

void TestCommands::openersApplyTheLanguageAfterShowing()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00"}));
    // The language file changes on disk while the program runs; every opener applies it afresh.
    QByteArray english = m_folder->read(QStringLiteral("English.xml"));
    english.replace("Cancel=Cancel", "Cancel=Close");
    english.replace("AddForm=Add Computer", "AddForm=New station");
    m_folder->write(QStringLiteral("English.xml"), english);
    op::click(m_form->btn[Button::Add]);
    QCOMPARE(m_form->edit()->btn[DialogButton::Cancel]->text(), QStringLiteral("Close"));
    // The window caption was set from the variable before translating; the next opening uses the new text.
    QCOMPARE(m_form->edit()->windowTitle(), QStringLiteral("Add Computer"));
    op::click(m_form->btn[Button::Add]);
    QCOMPARE(m_form->edit()->windowTitle(), QStringLiteral("New station"));
    op::click(m_form->btn[Button::Settings]);
    QCOMPARE(m_form->settings()->btn[DialogButton::Cancel]->text(), QStringLiteral("Close"));
}

void TestCommands::linksOpenTheMakersAddress()
{
    m_form = m_folder->startShown(m_platform, englishBoard({}));
    op::click(m_form->btn[Button::Address]);
    op::click(m_form->btn[Button::Update]);
    QCOMPARE(m_platform.calls.size(), std::size_t(2));
    for (const FakePlatform::ShellCall& call : m_platform.calls) {
        QVERIFY(call.withOwner);
        QCOMPARE(call.operation, QStringLiteral("Open"));
        QCOMPARE(call.file, QStringLiteral("https://tallivor.example"));
        QVERIFY(!call.parameters.isNull());
        QVERIFY(call.parameters.isEmpty());
        QCOMPARE(call.directory, m_folder->path());
        QCOMPARE(call.showCommand, 1);
    }
    QVERIFY(m_platform.calls[0].file.endsWith(m_form->btn[Button::Address]->text())); // the footer shows what it opens
}

void TestCommands::captionsAndCreditDoNothing()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Start,A,1:0,10", "Stop,B,2:0,20"}));
    const QStringList names = column(m_form->Namelist), states = column(m_form->Eventlist);
    const Button captions[] = {Button::StateCaption, Button::NameCaption,   Button::TimeCaption,
                               Button::BlankCaption, Button::ChargeCaption, Button::Credit};
    for (Button button : captions)
        op::click(m_form->btn[button]);
    QCOMPARE(column(m_form->Namelist), names);
    QCOMPARE(column(m_form->Eventlist), states);
    QCOMPARE(m_form->Namelist->listIndex(), 1);
    QVERIFY(m_platform.calls.empty());
    QVERIFY(!m_form->edit()->isVisible());
    QVERIFY(!m_form->settings()->isVisible());
    for (Button button : captions)
        QVERIFY(!m_form->btn[button]->italic());
}

void TestCommands::closingWithADialogOpenEndsWithoutApplyingIt()
{
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00"}));
    op::click(m_form->btn[Button::Add]);
    op::retype(m_form->edit()->computerName, QStringLiteral("Never added"));
    QPointer<EditDialog> editor = m_form->edit();
    op::click(m_form->btn[Button::Settings]);
    op::retype(m_form->settings()->Value, QStringLiteral("99"));
    m_form->close();
    QVERIFY(m_form->hasEnded());
    QVERIFY(editor.isNull());
    QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), crlf({"10,English.xml", "Stop,A,0:0,00"}));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
