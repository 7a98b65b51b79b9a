// Hover feedback: the underline of label-buttons and the disarming of a pending confirmation.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "ui/Hover.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"

#include <QtTest>

using namespace tallivor;

class TestHover : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void activeAreaBoundsAreStrict_data();
    void activeAreaBoundsAreStrict();
    void labelOf120TwipsNeverUnderlines();
    void pointerOverALabelUnderlinesItsInnerPart();
    void armedLabelStaysArmedInsideAndDisarmsAtItsMargin();
    void windowSurfaceClearsEverything();
    void listsAndOtherLabelsTriggerNothing();
    void dialogLabelsUnderlineButNeverDisarm();
};

void TestHover::init()
{
    BoardTest::init();
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00", "Stop,B,0:0,00"}));
}

void TestHover::activeAreaBoundsAreStrict_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("inside");
    // btn 0 is 1485 twips wide: the area runs from 20 to 1385 across and 5 to 200 down, all open.
    QTest::newRow("left bound") << 20.0f << 100.0f << false;
    QTest::newRow("just right of the left bound") << 20.5f << 100.0f << true;
    QTest::newRow("right bound, width minus 100") << 1385.0f << 100.0f << false;
    QTest::newRow("just left of the right bound") << 1384.5f << 100.0f << true;
    QTest::newRow("top bound") << 500.0f << 5.0f << false;
    QTest::newRow("just below the top") << 500.0f << 5.5f << true;
    QTest::newRow("lower bound 200, not the height") << 500.0f << 200.0f << false;
    QTest::newRow("just above 200") << 500.0f << 199.5f << true;
    QTest::newRow("within the label but below 200") << 500.0f << 240.0f << false;
}

void TestHover::activeAreaBoundsAreStrict()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, inside);
    LabelButton* add = m_form->btn[Button::Add];
    QCOMPARE(add->width() * 15, 1485);
    add->setItalic(true);
    m_form->btnMouseMove(Button::Add, x, y);
    QCOMPARE(add->underline(), inside);
    QCOMPARE(add->italic(), inside); // leaving the area on the main window also disarms
    QVERIFY(add->font().bold());     // the face never changes
}

void TestHover::labelOf120TwipsNeverUnderlines()
{
    LabelButton* update = m_form->btn[Button::Update];
    update->resize(8, update->height()); // 120 twips
    for (float x = 0; x <= 120; x += 2.5f) {
        m_form->btnMouseMove(Button::Update, x, 100);
        QVERIFY(!update->underline());
    }
}

void TestHover::pointerOverALabelUnderlinesItsInnerPart()
{
    LabelButton* settings = m_form->btn[Button::Settings];
    op::movePointer(settings, QPoint(20, 6)); // 300, 90 twips
    QVERIFY(settings->underline());
    op::movePointer(settings, QPoint(20, 15)); // 225 twips down: the lowest strip of a 255-twip label
    QVERIFY(!settings->underline());
    op::movePointer(settings, QPoint(20, 6));
    QVERIFY(settings->underline());
    op::movePointer(settings, QPoint(1, 6)); // the left margin
    QVERIFY(!settings->underline());
    // Column captions underline like commands, though a click on them does nothing.
    op::movePointer(m_form->btn[Button::NameCaption], QPoint(30, 7));
    QVERIFY(m_form->btn[Button::NameCaption]->underline());
}

void TestHover::armedLabelStaysArmedInsideAndDisarmsAtItsMargin()
{
    op::clickRow(m_form->Namelist, 0);
    LabelButton* remove = m_form->btn[Button::Remove];
    op::click(remove);
    QVERIFY(remove->italic());
    op::movePointer(remove, QPoint(30, 5));
    op::movePointer(remove, QPoint(80, 9));
    QVERIFY(remove->italic());
    QVERIFY(remove->underline());
    op::movePointer(remove, QPoint(remove->width() - 3, 9)); // the right margin of 100 twips
    QVERIFY(!remove->italic());
    QVERIFY(!remove->underline());
    op::click(remove); // arms again instead of removing
    QCOMPARE(m_form->Namelist->listCount(), 2);
}

void TestHover::windowSurfaceClearsEverything()
{
    op::clickRow(m_form->Namelist, 0);
    op::click(m_form->btn[Button::Remove]);
    op::click(m_form->btn[Button::Reset]);
    for (Button button : {Button::Add, Button::Edit, Button::TimeCaption, Button::Update})
        m_form->btn[button]->setUnderline(true);
    // Over a bar (the red header, away from its caption) is over the window's surface.
    op::movePointer(m_form.get(), QPoint(8, 95));
    QVERIFY(!m_form->btn[Button::Remove]->italic());
    QVERIFY(!m_form->btn[Button::Reset]->italic());
    for (LabelButton* button : m_form->btn)
        QVERIFY(!button->underline());
}

void TestHover::listsAndOtherLabelsTriggerNothing()
{
    LabelButton* edit = m_form->btn[Button::Edit];
    op::movePointer(edit, QPoint(30, 8));
    QVERIFY(edit->underline());
    op::clickRow(m_form->Namelist, 1);
    op::click(m_form->btn[Button::Reset]);
    // Straight onto a list, then over the title label and the currency label: nothing changes.
    op::movePointer(m_form->Namelist->viewport(), QPoint(40, 40));
    op::movePointer(m_form->frmcaption, QPoint(10, 8));
    op::movePointer(m_form->VALUEUNIT, QPoint(5, 8));
    QVERIFY(edit->underline());
    QVERIFY(m_form->btn[Button::Reset]->italic());
    // The next move over the background clears them.
    op::movePointer(m_form.get(), QPoint(534, 200));
    QVERIFY(!edit->underline());
    QVERIFY(!m_form->btn[Button::Reset]->italic());
}

void TestHover::dialogLabelsUnderlineButNeverDisarm()
{
    op::click(m_form->btn[Button::Add]);
    EditDialog* dialog = m_form->edit();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    LabelButton* save = dialog->btn[DialogButton::Save];
    save->setItalic(true); // never set by the program in a dialog; moving must not touch it
    op::movePointer(save, QPoint(20, 6));
    QVERIFY(save->underline());
    op::movePointer(dialog, QPoint(300, 140)); // the dialog's background: no surface handler
    QVERIFY(save->underline());
    op::movePointer(save, QPoint(1, 6));
    QVERIFY(!save->underline());
    QVERIFY(save->italic());
}

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
