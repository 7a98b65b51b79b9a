// The station table: four lists that keep one selection, the hidden scroll bar that holds it, the double-click
// toggle of a station's state, and the lists scrolling together.
#include "BoardTest.h"
#include "board/Form1.h"
#include "dialogs/EditDialog.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <array>

using namespace tallivor;

namespace {

QByteArray boardOf(int rows)
{
    QStringList lines{QStringLiteral("10,English.xml")};
    for (int i = 0; i < rows; ++i)
        lines << QStringLiteral("%1,PC %2,%2:0,%3").arg(QLatin1String(i % 2 ? "Start" : "Stop")).arg(i).arg(i * 10);
    return crlf(lines);
}

QPoint rowCentre(ListBox* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

ListBox* listNamed(Form1& form, const QString& name)
{
    return form.findChild<ListBox*>(name);
}

// Each list and the scroll bar at the same row.
void verifyRowSelected(Form1& form, int row)
{
    for (ListBox* list : {form.Eventlist, form.Namelist, form.timeList, form.Rellist}) {
        QCOMPARE(list->listIndex(), row);
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), row < 0 ? 0 : 1);
        if (row >= 0)
            QCOMPARE(selected.first().row(), row);
    }
    if (row >= 0)
        QCOMPARE(form.VScroll1->value(), row);
}

} // namespace

class TestTable : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void clickInAnyListSelectsTheRowInAll_data();
    void clickInAnyListSelectsTheRowInAll();
    void clickOnTheSelectedRowChangesNothing();
    void keyboardMovesTheSelectionOfAll();
    void scrollBarValueFromCodeSelectsOnlyOnChange();
    void doubleClickTogglesTheStateWord_data();
    void doubleClickTogglesTheStateWord();
    void doubleClickWithoutARowDoesNothing();
    void doubleClickOnAChargeOnlySelects();
    void focusNeverSelectsARow();
    void rellistShowsNoScrollBarAfterAClick();
    void listsScrollTogether();
    void changedTextsInViewAreDrawnAgain();
    void listBoxRules();
    void selectedRowLooksAlikeInEveryList_data();
    void selectedRowLooksAlikeInEveryList();
};

void TestTable::clickInAnyListSelectsTheRowInAll_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    for (const char* list : {"Eventlist", "Namelist", "timeList", "Rellist"}) {
        QTest::addRow("%s row 0", list) << list << 0;
        QTest::addRow("%s row 5", list) << list << 5;
    }
}

void TestTable::clickInAnyListSelectsTheRowInAll()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    m_form = m_folder->startShown(m_platform, boardOf(12));
    verifyRowSelected(*m_form, 11);
    ListBox* clicked = listNamed(*m_form, list);
    QTest::mouseClick(clicked->viewport(), Qt::LeftButton, {}, rowCentre(clicked, row));
    verifyRowSelected(*m_form, row);
}

void TestTable::clickOnTheSelectedRowChangesNothing()
{
    m_form = m_folder->startShown(m_platform, boardOf(6));
    QTest::mouseClick(m_form->timeList->viewport(), Qt::LeftButton, {}, rowCentre(m_form->timeList, 2));
    verifyRowSelected(*m_form, 2);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        spies.push_back(std::make_unique<QSignalSpy>(list, &ListBox::listClick));
    QSignalSpy scrollSpy(m_form->VScroll1, &ScrollBar::change);
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
    for (const auto& spy : spies)
        QCOMPARE(spy->count(), 0);
    QCOMPARE(scrollSpy.count(), 0);
    // A click below the last row neither moves nor clears the selection.
    QTest::mouseClick(m_form->Namelist->viewport(), Qt::LeftButton, {}, QPoint(20, 200));
    verifyRowSelected(*m_form, 2);
}

void TestTable::keyboardMovesTheSelectionOfAll()
{
    m_form = m_folder->startShown(m_platform, boardOf(8));
    m_form->Rellist->setFocus();
    QTest::keyClick(m_form->Rellist, Qt::Key_Up);
    verifyRowSelected(*m_form, 6);
    QTest::keyClick(m_form->Rellist, Qt::Key_Home);
    verifyRowSelected(*m_form, 0);
}

void TestTable::scrollBarValueFromCodeSelectsOnlyOnChange()
{
    m_form = m_folder->startShown(m_platform, boardOf(12));
    m_form->VScroll1->setValue(3);
    verifyRowSelected(*m_form, 3);
    QSignalSpy spy(m_form->Namelist, &ListBox::listClick);
    m_form->VScroll1->setValue(3);
    QCOMPARE(spy.count(), 0);
    // Out of its range the value is refused and nothing moves.
    QVERIFY(!m_form->VScroll1->setValue(12));
    verifyRowSelected(*m_form, 3);
}

void TestTable::doubleClickTogglesTheStateWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("toggled");
    // clang-format off
    QTest::newRow("stopped starts") << "Stop" << "Start";
    QTest::newRow("running stops") << "Start" << "Stop";
    QTest::newRow("a word of another language stops") << "Marche" << "Stop";
    QTest::newRow("an empty word stops") << "" << "Stop";
    QTest::newRow("case counts") << "stop" << "Stop";
    // clang-format on
}

void TestTable::doubleClickTogglesTheStateWord()
{
    QFETCH(QString, word);
    QFETCH(QString, toggled);
    m_form = m_folder->startShown(m_platform, boardOf(4));
    m_form->Eventlist->setList(1, word);
    QTest::mouseDClick(m_form->Eventlist->viewport(), Qt::LeftButton, {}, rowCentre(m_form->Eventlist, 1));
    verifyRowSelected(*m_form, 1);
    QCOMPARE(m_form->Eventlist->list(1), toggled);
    // Only the state word changes.
    QCOMPARE(m_form->timeList->list(1), QStringLiteral("1:0"));
    QCOMPARE(m_form->Rellist->list(1), QStringLiteral("10"));
    QCOMPARE(m_form->Eventlist->list(0), QStringLiteral("Stop"));
}

void TestTable::doubleClickWithoutARowDoesNothing()
{
    m_form = m_folder->startShown(m_platform, boardOf(0));
    QTest::mouseDClick(m_form->Eventlist->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(m_form->Eventlist->listCount(), 0);

    // Below the last row of a board with a selected row: no row is under the pointer, nothing toggles.
    m_form.reset();
    m_form = m_folder->startShown(m_platform, boardOf(2));
    QTest::mouseDClick(m_form->Eventlist->viewport(), Qt::LeftButton, {}, QPoint(20, 200));
    QCOMPARE(m_form->Eventlist->list(1), QStringLiteral("Start"));
}

void TestTable::doubleClickOnAChargeOnlySelects()
{
    m_form = m_folder->startShown(m_platform, boardOf(5));
    QTest::mouseDClick(m_form->Rellist->viewport(), Qt::LeftButton, {}, rowCentre(m_form->Rellist, 2));
    verifyRowSelected(*m_form, 2);
    QVERIFY(!m_form->edit()->isVisible());
    QCOMPARE(m_form->Eventlist->list(2), QStringLiteral("Stop"));
}

void TestTable::focusNeverSelectsARow()
{
    // Nine rows: the scroll bar already holds 8, so the start selects nothing, and focus must not select either.
    m_form = m_folder->startShown(m_platform, boardOf(9));
    verifyRowSelected(*m_form, -1);
    for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist}) {
        list->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    verifyRowSelected(*m_form, -1);
}

void TestTable::rellistShowsNoScrollBarAfterAClick()
{
    m_form = m_folder->startShown(m_platform, boardOf(40));
    m_form->Rellist->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTest::mouseClick(m_form->Namelist->viewport(), Qt::LeftButton, {}, rowCentre(m_form->Namelist, 38));
    QCOMPARE(m_form->Rellist->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!m_form->Rellist->verticalScrollBar()->isVisible());
}

void TestTable::listsScrollTogether()
{
    m_form = m_folder->startShown(m_platform, boardOf(60));
    const auto firstRows = [this] {
        QList<int> rows;
        for (ListBox* list : {m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist})
            rows << list->indexAt(QPoint(5, 5)).row();
        return rows;
    };
    m_form->VScroll1->setValue(0);
    QCOMPARE(firstRows(), QList<int>({0, 0, 0, 0}));
    // The wheel over one list scrolls all four.
    const QPoint centre = m_form->Namelist->viewport()->rect().center();
    QWheelEvent wheel(centre, m_form->Namelist->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(m_form->Namelist->viewport(), &wheel);
    const QList<int> scrolled = firstRows();
    QVERIFY(scrolled.first() > 0);
    QCOMPARE(scrolled, QList<int>(4, scrolled.first()));
    // Selecting a row far down brings it into view in every list, on the same line.
    m_form->VScroll1->setValue(55);
    const QList<int> down = firstRows();
    QVERIFY(down.first() > scrolled.first());
    QCOMPARE(down, QList<int>(4, down.first()));
}

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

void TestTable::changedTextsInViewAreDrawnAgain()
{
    m_form = m_folder->startShown(m_platform,
                                  boardOf(60)); // the last row is selected, so the lists show the bottom of the board
    QWidget* viewport = m_form->timeList->viewport();
    PaintCounter paints(viewport);
    QCoreApplication::processEvents();
    const QImage before = viewport->grab().toImage();

    paints.count = 0;
    m_form->timeList->setList(0, QStringLiteral("99:99")); // out of view: nothing to draw
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);

    m_form->timeList->setList(59, QStringLiteral("99:99"));
    QTRY_VERIFY(paints.count > 0);
    QVERIFY(viewport->grab().toImage() != before);
    // A tick changes every running row: the rows in view are drawn with their new texts.
    const QImage ticked = viewport->grab().toImage();
    paints.count = 0;
    m_form->tick();
    QTRY_VERIFY(paints.count > 0);
    QVERIFY(viewport->grab().toImage() != ticked);
}

void TestTable::listBoxRules()
{
    ListBox list;
    for (const char* text : {"a", "b", "c"})
        list.addItem(QString::fromLatin1(text));
    QSignalSpy spy(&list, &ListBox::listClick);
    QCOMPARE(list.list(-1), QString());
    QCOMPARE(list.list(3), QString());
    list.setListIndex(1);
    QCOMPARE(spy.count(), 1);
    list.setListIndex(1);
    QCOMPARE(spy.count(), 1);
    list.setListIndex(7); // no such entry
    QCOMPARE(list.listIndex(), 1);
    list.removeItem(0);
    QCOMPARE(list.listIndex(), -1);
    QVERIFY(!list.selectionModel()->hasSelection());
    QCOMPARE(list.list(0), QStringLiteral("b"));
    QCOMPARE(spy.count(), 1); // removing is no click
}

void TestTable::selectedRowLooksAlikeInEveryList_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("Windows") << QStringLiteral("Windows");
    QTest::newRow("Fusion") << QStringLiteral("Fusion");
}

void TestTable::selectedRowLooksAlikeInEveryList()
{
    QFETCH(QString, style);
    m_form = m_folder->startShown(m_platform, boardOf(4));
    QStyle* drawing = QStyleFactory::create(style);
    QVERIFY(drawing);
    drawing->setParent(m_form.get());
    // As on Windows, whose system palette greys the selection of a list that is not active.
    QPalette palette = drawing->standardPalette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    const std::array lists{m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist};
    for (ListBox* list : lists) {
        list->setStyle(drawing);
        list->setPalette(palette);
    }
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->Namelist->setFocus();
    QTRY_VERIFY(m_form->Namelist->hasFocus());
    // A point of the selected row (the last) right of its text, and one of the row above.
    const auto colourAt = [](ListBox* list, int row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        return list->viewport()->grab().toImage().pixel(rect.right() - 3, rect.center().y());
    };
    // The focused list may tint its current row faintly (Fusion's focus frame); the inactive grey is far off.
    const auto alike = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <= 12;
    };
    const QRgb selected = colourAt(m_form->Namelist, 3);
    QVERIFY(!alike(selected, colourAt(m_form->Namelist, 2)));
    for (ListBox* list : lists)
        QVERIFY2(alike(colourAt(list, 3), selected), qPrintable(list->objectName()));
}

QTEST_MAIN(TestTable)
#include "tst_table.moc"
