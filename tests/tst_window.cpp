// The main window on a real Board, driven as the operator does: the selection of a station in all four lists, the
// double-click, the keys, the two-click confirmations, the hover, what screen readers hear, the life of the process
// (elevation, one board per folder), and what of the layout the operator needs.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "dialogs/EditDialog.h"
#include "report/ReportWindow.h"
#include "ui/Layout.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"
#include "window/Form1.h"

#include <QAccessible>
#include <QDir>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

using namespace tallivor;

namespace {

QByteArray boardOf(int rows)
{
    QStringList lines{QStringLiteral("12,English.xml")};
    for (int i = 0; i < rows; ++i)
        lines << QStringLiteral("%1,PC %2,%2:0,%3").arg(QLatin1String(i % 2 ? "Start" : "Stop")).arg(i).arg(i * 10);
    return crlf(lines);
}

// Each list shows the row as its one selected row, and the scroll bar holds it.
void verifyRowSelected(const RunningBoard& form, int row)
{
    for (ListBox* list : listsOf(form)) {
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        QCOMPARE(list->listIndex(), row);
        QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), row);
    }
    QVERIFY(row < 0 || form.VScroll1->value() == row);
}

} // namespace

// Stands for the desktop's browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class TestWindow : public BoardTest
{
    Q_OBJECT
    void expectFocus(QWidget* widget) { QTRY_COMPARE(QApplication::focusWidget(), widget); }
    Board& board() { return m_form->board(); }
    EditDialog* openEditor(int row)
    {
        op::clickRow(m_form->Namelist, row);
        op::click(m_form->btn(Button::Edit));
        return m_form->form().edit();
    }

private Q_SLOTS:
    void withoutRightsAsksForAnElevatedCopyAndEnds_data()
    {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("parameters");
        QTest::newRow("empty command line") << QString() << QStringLiteral("/admin");
        QTest::newRow("arguments") << QStringLiteral("-x \"a b\"") << QStringLiteral("-x \"a b\"/admin");
    }
    void withoutRightsAsksForAnElevatedCopyAndEnds()
    {
        QFETCH(QString, tail);
        QFETCH(QString, parameters);
        m_folder->write(QStringLiteral("tallivor.xml"), boardOf(1));
        m_platform.admin = false;
        m_platform.tail = tail;
        m_form = startWindow(*m_folder, m_platform);
        QCOMPARE(m_platform.calls.size(), std::size_t(1));
        const FakePlatform::ShellCall& call = m_platform.calls.front();
        QCOMPARE(QStringList({call.operation, call.file, call.parameters}),
                 QStringList({"runas", m_folder->path() + "\\Tallivor.exe", parameters}));
        // No window of its own owns the prompt; the elevated copy reads and writes the board, this one neither.
        QVERIFY(!call.withOwner && call.directory.isNull() && call.showCommand == 1);
        QVERIFY(m_form->form().hasEnded() && !m_form->form().isVisible());
        QCOMPARE(m_form->Namelist->list(0), QStringLiteral("Computer 2    "));
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), boardOf(1));
    }

    void oneBoardPerFolder()
    {
        m_folder->write(QStringLiteral("tallivor.xml"), boardOf(1));
        const QString lockName = QStringLiteral("tallivor.lock");
        m_form = startWindow(*m_folder, m_platform);
        const QByteArray ownersLock = m_folder->read(lockName);
        m_form->form().showMinimized();
        QVERIFY(startWindow(*m_folder, m_platform)->form().hasEnded()); // a second start asks it to come forward
        QTRY_VERIFY(m_form->form().isVisible() && !m_form->form().isMinimized());
        // The close step leaves the folder to the next start at once, before the process is gone.
        m_form->form().close();
        const auto next = startWindow(*m_folder, m_platform);
        QCOMPARE(rowsOf(next->board()), QStringList({"Stop,PC 0,0:0,0"}));
        next->form().close();
        // A lock whose process still runs is never taken over, however old: a board runs for days, and on a share
        // without native file locks the lock file is all there is.
        m_folder->write(lockName, ownersLock);
        QFile lock(m_folder->filePath(lockName));
        QVERIFY(lock.open(QIODevice::ReadWrite) &&
                lock.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
        const auto second = startWindow(*m_folder, m_platform);
        QVERIFY(second->form().hasEnded());
    }

    void whatIsNotOnTheDiskShowsAndAClosingTwiceClosesAnyway()
    {
        m_form = startShown(*m_folder, m_platform, boardOf(2));
        auto* warning = m_form->form().findChild<Label*>(QStringLiteral("diskWarning"));
        auto* retry = board().findChild<QTimer*>(QStringLiteral("retry"));
        QVERIFY(!warning->isVisible() && !retry->isActive());
        // The disk refuses the ledger: its month file is a folder now.
        const QString month = m_folder->names().filter(QStringLiteral("tallivor-ledger-")).value(0);
        QDir folder(m_folder->path());
        const auto refuse = [&] { QVERIFY(folder.rename(month, "aside") && folder.mkdir(month)); };
        const auto giveBack = [&] { QVERIFY(folder.rmdir(month) && folder.rename("aside", month)); };
        refuse();
        op::press(Qt::Key_Space); // an operation: PC 1 stops
        const QString notSaved = QStringLiteral("Not saved: the ledger (write error), 1 lines wait.");
        QVERIFY(warning->isVisible() && warning->text().startsWith(notSaved + " Everything is written"));
        QCOMPARE(warning->accessibleName(), warning->text());
        QVERIFY(m_form->Namelist->hasFocus() && retry->isActive()); // the keyboard stays on the board; tried again
        // The first close keeps the window and says so.
        m_form->form().close();
        QVERIFY(m_form->form().isVisible() && !m_form->form().hasEnded());
        QCOMPARE(warning->text(), notSaved + " Close again to close anyway.");
        // Space back: the next try writes what waited, and the warning goes.
        giveBack();
        retry->setInterval(1);
        QTRY_VERIFY(!warning->isVisible() && !retry->isActive());
        QVERIFY(m_folder->read(month).contains(",stop,PC 1,"));
        // A close now, with everything on the disk, closes; so does a second close while something waits.
        refuse();
        op::press(Qt::Key_Space);
        m_form->form().close();
        QVERIFY(!m_form->form().hasEnded());
        m_form->form().close();
        QVERIFY(m_form->form().hasEnded());
        giveBack();
    }

    void startSelectsTheLastRowThroughTheScrollBar_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("selected");
        QTest::newRow("no rows") << 0 << -1;
        QTest::newRow("one row") << 1 << 0;
        QTest::newRow("nine rows: the scroll bar already holds 8, no click runs") << 9 << -1;
        QTest::newRow("twelve rows") << 12 << 11;
        QTest::newRow("forty rows, more than the lists show") << 40 << 39;
    }
    void startSelectsTheLastRowThroughTheScrollBar()
    {
        QFETCH(int, rows);
        QFETCH(int, selected);
        m_form = startShown(*m_folder, m_platform, boardOf(rows));
        QCOMPARE(m_form->VScroll1->max(), rows - 1);
        QCOMPARE(m_form->VScroll1->value(), rows - 1);
        QCOMPARE(m_form->Namelist->listCount(), rows); // the layout's sample rows are gone
        for (ListBox* list : listsOf(*m_form))         // the keyboard focus selects nothing either
            list->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        verifyRowSelected(*m_form, selected);
        m_form->Rellist->verticalScrollBar()->setValue(0); // a list scrolled by itself takes the others along
        for (ListBox* list : listsOf(*m_form))
            QCOMPARE(list->verticalScrollBar()->value(), 0);
    }

    void everyWayOfSelectingSelectsInAllFourAndADoubleClickOnAStateToggles_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("toggled"); // the row's state word afterwards, unless empty
        for (const char* list : {"Eventlist", "Namelist", "timeList", "Rellist"}) {
            for (int row : {0, 5})
                QTest::addRow("click on row %d of %s", row, list) << list << "click" << row << "";
        }
        // clang-format off
        QTest::newRow("Up in Rellist") << "Rellist" << "Up" << 10 << "";
        QTest::newRow("the scroll bar set from code") << "" << "scroll bar" << 3 << "";
        QTest::newRow("double-click on a charge only selects") << "Rellist" << "double-click" << 2 << "";
        QTest::newRow("double-click on Stop starts") << "Eventlist" << "double-click" << 4 << "Start";
        QTest::newRow("double-click on Start stops") << "Eventlist" << "double-click" << 5 << "Stop";
        // clang-format on
    }
    void everyWayOfSelectingSelectsInAllFourAndADoubleClickOnAStateToggles()
    {
        QFETCH(QString, list);
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, toggled);
        m_form = startShown(*m_folder, m_platform, boardOf(12));
        QStringList after = rowsOf(m_form->board());
        if (!toggled.isEmpty()) // only the state word changes
            after[row] = toggled + after[row].mid(after[row].indexOf(u','));
        auto* target = m_form->form().findChild<ListBox*>(list);
        if (how == QLatin1String("click")) {
            op::clickRow(target, row);
        } else if (how == QLatin1String("double-click")) {
            op::doubleClickRow(target, row);
        } else if (how == QLatin1String("scroll bar")) {
            QVERIFY(m_form->VScroll1->setValue(row));
        } else {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Up);
        }
        verifyRowSelected(*m_form, row);
        QCOMPARE(rowsOf(m_form->board()), after);
        QVERIFY(!m_form->form().edit()->isVisible());
        // Setting the scroll bar runs the selection only when its value changes, and only within its range.
        QSignalSpy clicks(m_form->Namelist, &ListBox::listClick);
        QVERIFY(m_form->VScroll1->setValue(row) && !m_form->VScroll1->setValue(12));
        m_form->Namelist->setListIndex(12); // and a list's index is set only within its rows
        QCOMPARE(clicks.count(), 0);
        verifyRowSelected(*m_form, row);
    }

    void whatTheOperatorReachesAndSees()
    {
        m_form = startShown(*m_folder, m_platform, boardOf(3));
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        // Where two lists overlap, the pointer reaches the one on the right; the charge caption covers the empty one.
        QVERIFY(m_form->Namelist->isAncestorOf(m_form->form().childAt(100, 200)));
        QVERIFY(m_form->Rellist->isAncestorOf(m_form->form().childAt(400, 200)));
        QCOMPARE(m_form->form().childAt(465, 80), m_form->btn(Button::ChargeCaption));
        // Tab reaches the four lists and nothing else; the price box, the scroll bar and the file list are not seen.
        QSet<QWidget*> reached;
        for (int i = 0; i < 8; ++i) {
            op::press(Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        QCOMPARE(reached, QSet<QWidget*>({m_form->Eventlist, m_form->Namelist, m_form->timeList, m_form->Rellist}));
        QVERIFY(!m_form->VScroll1->isVisible() && !m_form->form().rect().intersects(m_form->REL->geometry()));
        QCOMPARE(m_form->REL->text(), QStringLiteral("12")); // the price box holds the file's price
        // The maker's address and Update open the address in the browser; a press let go off the link does nothing.
        LabelButton* address = m_form->btn(Button::Address);
        QCOMPARE(address->text(), QStringLiteral("tallivor.example")); // the address without its scheme
        QTest::mousePress(address, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(address, Qt::LeftButton, {}, QPoint(-20, 5));
        op::click(address);
        op::click(m_form->btn(Button::Update));
        QCOMPARE(m_platform.calls.size(), std::size_t(2));
        for (const FakePlatform::ShellCall& call : m_platform.calls) {
            QCOMPARE(QStringList({call.operation, call.file, call.parameters, call.directory}),
                     QStringList({"Open", "https://tallivor.example", "", m_folder->path()}));
            QVERIFY(call.withOwner && call.showCommand == 1 && !call.parameters.isNull());
        }
    }

    void theReportFollowsTheBoardAndClosesItsShift()
    {
        m_form = startShown(*m_folder, m_platform, boardOf(3)); // PC 1 and PC 2 carry charges
        op::click(m_form->btn(Button::Report));
        ReportWindow* report = m_form->form().report();
        const auto text = [report] { return report->findChild<Label*>(QStringLiteral("message"))->text(); };
        const auto beside = [this](const QWidget* w) { // where a window opened from the board goes
            return besideTheBoard(w->frameGeometry().size(), m_form->form().frameGeometry(),
                                  w->screen()->availableGeometry());
        };
        QCOMPARE(report->frameGeometry(), beside(report));
        op::click(m_form->btn(Button::Edit));
        QCOMPARE(m_form->form().edit()->frameGeometry(), beside(m_form->form().edit()));
        board().billStation(1); // its bill reaches the open report
        QCOMPARE(report->findChild<Label*>(QStringLiteral("bills"))->text(), QStringLiteral("Bills: 1"));
        op::click(report->btn(ReportButton::CloseShift));
        QCOMPARE(text(), "Stations with an unbilled charge: 1. Click Close shift again to close the shift.");
        op::click(report->btn(ReportButton::CloseShift));
        QCOMPARE(text(), "Shift closed: 1 bills, 10 $");
    }

    void confirmationActsOnlyOnTheSecondClickOrKey_data()
    {
        QTest::addColumn<bool>("reset"); // "Reset Computer" or Ctrl+R, else "Remove Computer" or Delete
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("then"); // what happens between the two
        QTest::addColumn<bool>("stillArmed");
        QTest::addColumn<int>("row"); // the selected row
        // clang-format off
        QTest::newRow("Remove clicked twice") << false << false << "" << true << 1;
        QTest::newRow("Ctrl+R twice on the first row") << true << true << "" << true << 0;
        QTest::newRow("Delete held down acts once") << false << true << "held" << true << 1;
        QTest::newRow("Delete, Escape") << false << true << "Escape" << false << 1;
        QTest::newRow("Ctrl+R, Delete") << true << true << "other" << false << 1;
        QTest::newRow("Remove, Reset clicked") << false << false << "other" << false << 1;
        QTest::newRow("Delete, a click on the row") << false << true << "row" << false << 1;
        QTest::newRow("Remove, pointer over the board") << false << false << "surface" << false << 1;
        QTest::newRow("Delete, a press on the board") << false << true << "press" << false << 1;
        QTest::newRow("Remove, pointer over a list") << false << false << "list" << true << 1;
        QTest::newRow("Reset, pointer within the label") << true << false << "within" << true << 1;
        QTest::newRow("Remove, pointer at the label's margin") << false << false << "margin" << false << 1;
        // clang-format on
    }
    void confirmationActsOnlyOnTheSecondClickOrKey()
    {
        QFETCH(bool, reset);
        QFETCH(bool, byKey);
        QFETCH(QString, then);
        QFETCH(bool, stillArmed);
        QFETCH(int, row);
        const QStringList before{"Stop,A,1:0,10", "Start,B,2:0,20"};
        m_form = startShown(*m_folder, m_platform, englishBoard(before));
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        op::clickRow(m_form->Namelist, row);
        const Qt::Key key = reset ? Qt::Key_R : Qt::Key_Delete;
        const Qt::KeyboardModifiers modifiers = reset ? Qt::ControlModifier : Qt::NoModifier;
        LabelButton* label = m_form->btn(reset ? Button::Reset : Button::Remove);
        const auto act = [&] { byKey ? op::press(key, modifiers) : op::click(label); };
        QKeyEvent repeat(QEvent::KeyPress, key, modifiers, QString(), true);
        const std::map<QString, std::function<void()>> between{
            {"", [] {}},
            {"held", [&] { QApplication::sendEvent(QApplication::focusWidget(), &repeat); }},
            {"Escape", [] { op::press(Qt::Key_Escape); }},
            {"other", [&] { byKey ? op::press(Qt::Key_Delete) : op::click(m_form->btn(Button::Reset)); }},
            {"row", [&] { op::clickRow(m_form->timeList, 1); }},
            {"surface", [&] { op::movePointer(&m_form->form(), QPoint(8, 95)); }},
            {"press", [&] { QTest::mouseClick(&m_form->form(), Qt::LeftButton, {}, QPoint(8, 95)); }},
            {"list", [&] { op::movePointer(m_form->Namelist->viewport(), QPoint(40, 10)); }},
            {"within", [&] { op::movePointer(label, QPoint(30, 5)); }},
            {"margin", [&] { op::movePointer(label, QPoint(label->width() - 3, 9)); }},
        };
        op::movePointer(&m_form->form(), QPoint(8, 95)); // resting on the board's surface
        act();
        QVERIFY(label->italic());
        between.at(then)();
        QCOMPARE(label->italic(), stillArmed);
        QVERIFY(then != QLatin1String("surface") || !label->underline()); // the surface clears the underline too
        QCOMPARE(rowsOf(m_form->board()), before);
        act(); // acts when still armed, else only arms again
        QCOMPARE(label->italic(), !stillArmed);
        QStringList after = before;
        if (stillArmed && reset) // the row keeps running or stopped
            after[row] = before[row].section(u',', 0, 1) + QStringLiteral(",00:00,00");
        else if (stillArmed)
            after.removeAt(row);
        QCOMPARE(rowsOf(m_form->board()), after);
    }
    void screenReadersHearNamesWholeRowsAndTheArmedState()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,PC 01,42:17,420", "Stop,PC 02,15:0,150"}));
        // A new language names the lists and boxes after its captions.
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        QVERIFY(m_form->board().applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        const auto reader = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
        QStringList names; // each list by its caption, and told the board's keys
        for (ListBox* list : listsOf(*m_form))
            names << reader(list)->text(QAccessible::Name) + ' ' +
                         reader(list)->text(QAccessible::Description).section(u' ', -2);
        QCOMPARE(names, QStringList({"Stato spegne l'allarme", "Postazioni spegne l'allarme", "Tempo spegne l'allarme",
                                     "Costo spegne l'allarme"}));
        QCOMPARE(reader(m_form->form().edit()->computerName)->text(QAccessible::Name), QStringLiteral("Nome PC"));
        QCOMPARE(m_form->btn(Button::Report)->text(), QStringLiteral("Resoconto")); // the report's caption by its key
        // A screen reader's press on a label-button is its click, and it is told the keys that do the same.
        QAccessibleInterface* remove = reader(m_form->btn(Button::Remove));
        const QString press = QAccessibleActionInterface::pressAction();
        QCOMPARE(remove->actionInterface()->keyBindingsForAction(press), QStringList{"Del"});
        QCOMPARE(remove->text(QAccessible::Accelerator), QStringLiteral("Del"));
        QVERIFY(reader(m_form->btn(Button::StateCaption))->actionInterface()->actionNames().isEmpty()); // a caption
        reader(m_form->btn(Button::Add))->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(!m_form->form().edit()->isVisible()); // only the press clicks
        reader(m_form->btn(Button::Add))->actionInterface()->doAction(press);
        QVERIFY(m_form->form().edit()->isVisible());
        // Each of the four lists reads the whole station row, as it is now, and shows its own column only.
        m_form->board().toggleStation(1);
        for (ListBox* list : listsOf(*m_form)) {
            QCOMPARE(reader(list)->child(1)->text(QAccessible::Name), QStringLiteral("PC 02, Attivo, 15:0, 150"));
            QCOMPARE(list->model()->index(1, 0).data().toString(), list->list(1));
        }
        // The armed state is read in the description.
        QVERIFY(!remove->text(QAccessible::Description).startsWith(QLatin1String("Armed")));
        m_form->form().btnClick(Button::Remove);
        QVERIFY(remove->text(QAccessible::Description).startsWith(QLatin1String("Armed")));
    }
    // Selling time at the board: + and -, the alarm and its acknowledgement, the editor's save rule.

    void plusAndMinusOnTheBoard_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<std::optional<qint64>>("paid");
        QTest::newRow("+ on the main keyboard (Shift and =)")
            << Qt::Key_Plus << Qt::KeyboardModifiers(Qt::ShiftModifier) << std::optional<qint64>(1754 + 900);
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
        QCOMPARE(board().table()[1].record.paid, paid);
        QCOMPARE(board().table()[0].record.paid, std::optional<qint64>());
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
        QCOMPARE(board().table().paidState(0), PaidState::Due); // a press on another row acknowledges nothing
        op::press(Qt::Key_Up);                                  // nor does moving the selection by key, onto a due row
        QCOMPARE(board().table().paidState(1), PaidState::Due);
        op::clickRow(m_form->timeList, 1); // a press on the selected due row acknowledges it
        QCOMPARE(board().table().paidState(1), PaidState::Acknowledged);
        QVERIFY(repeat->isActive());
        op::press(Qt::Key_Escape); // every due station
        QCOMPARE(board().table().paidState(0), PaidState::Acknowledged);
        QVERIFY(!repeat->isActive());
    }

    void paidRowsAreDrawnInTheirColoursWithTheirWords()
    {
        // Amber in the last five minutes, red past the end (dark red while it blinks); a paused paid row and a plain
        // row keep the list's white, and only paid rows have words beside the name, where the list is in sight.
        m_form = startShown(*m_folder, m_platform,
                            englishBoard({"Start,A,56:0,560,,60:0", "Start,B,61:0,610,,60:0", "Stop,C,0:0,0",
                                          "Stop,D,10:0,0,,60:0", "Stop,E,0:0,0"}));
        const QImage drawn = m_form->Namelist->viewport()->grab().toImage();
        const int right = m_form->Namelist->viewport()->visibleRegion().boundingRect().right();
        const std::map<QRgb, QString> colours{{0xFFC000, "amber"}, {0xD81E1E, "red"}, {0x7A1010, "red"}};
        QStringList seen;
        QList<int> widths;
        for (int row = 0; row < 4; ++row) {
            const QRect rect = op::rowRect(m_form->Namelist, row);
            const QRgb fill = drawn.pixel(rect.left() + 1, rect.center().y());
            int from = right, lightest = 0; // where the words beside begin, and the lightest of their ink
            for (int x = right / 2; x < right; ++x) {
                for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
                    if (drawn.pixel(x, y) != fill)
                        from = std::min(from, x), lightest = std::max(lightest, qGray(drawn.pixel(x, y)));
                }
            }
            const bool white = (fill & 0xFFFFFF) == 0xFFFFFF;
            seen << (white ? "white" : colours.at(fill & 0xFFFFFF)) + (from == right    ? ""
                                                                       : white          ? " words"
                                                                       : lightest > 240 ? " white words"
                                                                                        : " dark words");
            widths << right - from;
        }
        // "ends 21:40" beside the running station, the shorter "paused" beside the stopped one.
        QVERIFY2(widths[0] > widths[3], qPrintable(QString::number(widths[0]) + ' ' + QString::number(widths[3])));
        QCOMPARE(seen, QStringList({"amber dark words", "red white words", "white", "white words"}));
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
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,A,10:0,0,0.5,60:0"}));
        EditDialog* editor = openEditor(0); // showing the station's own price and paid time
        const QStringList shown{editor->PRICE_TEXT->text(), editor->PAID_MIN_TEXT->text(),
                                editor->PAID_SEC_TEXT->text()};
        QCOMPARE(shown, QStringList({"0.5", "60", "0"}));
        op::retype(editor->PRICE_TEXT, QStringLiteral("0,25"));
        op::retype(editor->PAID_MIN_TEXT, QStringLiteral("70"));
        op::retype(editor->PAID_SEC_TEXT, QStringLiteral("5"));
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(board().table()[0].record.price, std::optional<QString>(QStringLiteral("0.25")));
        QCOMPARE(board().table()[0].record.paid, std::optional<qint64>(70 * 60 + 5));
        op::retype(editor->PAID_SEC_TEXT, QString()); // one box of two: refused
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(editor->PAID_SEC_TEXT->backColor(), yellow);
        op::retype(editor->PAID_MIN_TEXT, QString());
        op::retype(editor->PRICE_TEXT, QString());
        QTest::keyClick(editor->PAID_SEC_TEXT, Qt::Key_Return);
        QCOMPARE(board().table()[0].record.paid, std::optional<qint64>());
        QCOMPARE(board().table()[0].record.price, std::optional<QString>());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
