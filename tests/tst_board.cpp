// The board and its dialogs from start to end, driven as the operator does, down to what they write: the rules the
// operator relies on, what of the layout they need, and a station file that gives back whatever was done.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "window/Form1.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "ui/FileList.h"
#include "ui/HandPointer.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TerminationSignals.h"
#include "ui/TextBox.h"

#include <QAccessible>
#include <QBitmap>
#include <QClipboard>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QtTest>

#include <csignal>
#include <functional>
#include <map>
#include <tuple>

using namespace tallivor;

namespace {

QByteArray boardOf(int rows)
{
    QStringList lines{QStringLiteral("10,English.xml")};
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

struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestBoard : public BoardTest
{
    Q_OBJECT
    void expectFocus(QWidget* widget) { QTRY_COMPARE(QApplication::focusWidget(), widget); }
    SettingsDialog* openSettings()
    {
        op::click(m_form->btn(Button::Settings));
        return m_form->form().settings();
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
        m_form->form().close(); // the close step leaves the folder to the next start at once, before the process is gone
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

    void startSelectsTheLastRowThroughTheScrollBar_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("selected");
        QTest::newRow("no rows") << 0 << -1;
        QTest::newRow("one row") << 1 << 0;
        QTest::newRow("nine rows: the scroll bar already holds 8, no click runs") << 9 << -1;
        QTest::newRow("twelve rows") << 12 << 11;
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
    }

    void everyWayOfSelectingSelectsInAllFourAndADoubleClickOnAStateToggles_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("word");    // put in the row's state first, unless null
        QTest::addColumn<QString>("toggled"); // the row's state word afterwards, unless empty
        for (const char* list : {"Eventlist", "Namelist", "timeList", "Rellist"}) {
            for (int row : {0, 5})
                QTest::addRow("click on row %d of %s", row, list) << list << "click" << row << QString() << "";
        }
        // clang-format off
        QTest::newRow("Up in Rellist") << "Rellist" << "Up" << 10 << QString() << "";
        QTest::newRow("the scroll bar set from code") << "" << "scroll bar" << 3 << QString() << "";
        QTest::newRow("double-click on a charge only selects") << "Rellist" << "double-click" << 2 << QString() << "";
        QTest::newRow("double-click on Stop starts") << "Eventlist" << "double-click" << 4 << QString() << "Start";
        QTest::newRow("double-click on Start stops") << "Eventlist" << "double-click" << 5 << QString() << "Stop";
        QTest::newRow("another language's word stops") << "Eventlist" << "double-click" << 4 << "Marche" << "Stop";
        QTest::newRow("case counts") << "Eventlist" << "double-click" << 4 << "stop" << "Stop";
        // clang-format on
    }
    void everyWayOfSelectingSelectsInAllFourAndADoubleClickOnAStateToggles()
    {
        QFETCH(QString, list);
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QString, word);
        QFETCH(QString, toggled);
        m_form = startShown(*m_folder, m_platform, boardOf(12));
        if (!word.isNull())
            m_form->Eventlist->setList(row, word);
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
        QVERIFY(!m_form->form().settings()->rect().intersects(m_form->form().settings()->File1->geometry()));
        // Captions are white on the dark bands; the hand, black outlined and white inside, is over label-buttons only.
        for (Label* label : m_form->form().findChildren<Label*>())
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        const QCursor hand = handPointer();
        const QImage shape = hand.bitmap().toImage(), mask = hand.mask().toImage();
        const auto set = [](const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); };
        QVERIFY(set(mask, 5, 0) && set(shape, 5, 0) && set(mask, 5, 1) && !set(shape, 5, 1) && !set(mask, 0, 0));
        for (LabelButton* button : m_form->form().findChildren<LabelButton*>(QStringLiteral("btn"))) {
            QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(button->property("index"), QVariant(button->index())); // found by name and index, as designed
        }
    }

    void theSelectedRowLooksAlikeInAllFour()
    {
        m_form = startShown(*m_folder, m_platform, boardOf(4)); // the last row selected
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        const auto colourAt = [](ListBox* list, int row) { // right of the row's text
            const QRect rect = op::rowRect(list, row);
            return list->viewport()->grab().toImage().pixel(rect.right() - 3, rect.center().y());
        };
        const auto alike = [](QRgb a, QRgb b) { // Fusion may tint the focused list's row faintly
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <= 12;
        };
        for (const QString& style : {QStringLiteral("Windows"), QStringLiteral("Fusion")}) {
            QStyle* drawing = QStyleFactory::create(style);
            drawing->setParent(&m_form->form());
            QPalette palette = drawing->standardPalette(); // Windows greys the selection of a list without the focus
            palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
            for (ListBox* list : listsOf(*m_form)) {
                list->setStyle(drawing);
                list->setPalette(palette);
            }
            m_form->Namelist->setFocus();
            const QRgb selected = colourAt(m_form->Namelist, 3);
            QVERIFY(!alike(selected, colourAt(m_form->Namelist, 2)));
            for (ListBox* list : listsOf(*m_form))
                QVERIFY2(alike(colourAt(list, 3), selected), qPrintable(style + ' ' + list->objectName()));
        }
    }

    void terminationSignalClosesAndSaves()
    {
        m_form = startShown(*m_folder, m_platform, boardOf(1));
        TerminationSignals termination;
        connect(&termination, &TerminationSignals::received, &m_form->form(), &QWidget::close);
        m_form->board().toggleStation(0);
        std::raise(SIGTERM);
        QTRY_VERIFY(m_form->form().hasEnded());
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), crlf({"10,English.xml", "Start,PC 0,0:0,0"}));
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
        QTest::newRow("Delete twice on the first row") << false << true << "" << true << 0;
        QTest::newRow("Ctrl+R twice on the first row") << true << true << "" << true << 0;
        QTest::newRow("Delete held down acts once") << false << true << "held" << true << 1;
        QTest::newRow("Delete, Escape") << false << true << "Escape" << false << 1;
        QTest::newRow("Ctrl+R, Delete") << true << true << "other" << false << 1;
        QTest::newRow("Remove, Reset clicked") << false << false << "other" << false << 1;
        QTest::newRow("Delete, a click on the row") << false << true << "row" << false << 1;
        QTest::newRow("Remove, pointer over the board") << false << false << "surface" << false << 1;
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
            {"list", [&] { op::movePointer(m_form->Namelist->viewport(), QPoint(40, 10)); }},
            {"within", [&] { op::movePointer(label, QPoint(30, 5)); }},
            {"margin", [&] { op::movePointer(label, QPoint(label->width() - 3, 9)); }},
        };
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
    void activeAreaBoundsAreStrict()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({}));
        LabelButton* add = m_form->btn(Button::Add); // 1485 twips wide: its caption underlines for 20 < x < 1385
        // All four bounds are strict, and the lower one is 200 whatever the label's height (255).
        const std::tuple<float, float, bool> moves[] = {{20, 100, false},    {20.5, 100, true},  {1385, 100, false},
                                                        {1384.5, 100, true}, {500, 5, false},    {500, 5.5, true},
                                                        {500, 200, false},   {500, 199.5, true}, {500, 240, false}};
        for (const auto& [x, y, inside] : moves) {
            m_form->form().btnMouseMove(Button::Add, x, y);
            QVERIFY2(add->underline() == inside, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
    }
    void aShiftFromTheKeyboardAlone()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({}));
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        expectFocus(m_form->Namelist);
        const auto add = [this](const char* name, int enters) {
            op::press(Qt::Key_Insert);
            expectFocus(m_form->form().edit()->computerName);
            op::type(QString::fromLatin1(name)); // replaces the selected row's name, which the box opens with selected
            for (int i = 0; i < enters; ++i)
                op::press(Qt::Key_Return);
            op::press(Qt::Key_Escape);
            expectFocus(m_form->Namelist);
        };
        add("PC 1", 1);
        add("PC 2", 1);

        op::press(Qt::Key_Up);
        op::press(Qt::Key_Space);
        m_form->board().tick(61);
        op::press(Qt::Key_Space);
        m_form->board().tick();
        op::press(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(rowsOf(m_form->board()), QStringList({"Stop,PC 1,1:1,10", "Stop,PC 2,00:00,00"}));
        op::press(Qt::Key_R, Qt::ControlModifier);

        op::press(Qt::Key_Down);
        op::press(Qt::Key_Return);
        expectFocus(m_form->form().edit()->computerName);
        op::type(QStringLiteral("VR corner"));
        op::press(Qt::Key_Tab); // into the minutes, its text selected
        op::type(QStringLiteral("5"));
        op::press(Qt::Key_Enter); // saves from any box
        op::press(Qt::Key_Escape);
        expectFocus(m_form->Namelist);
        QCOMPARE(rowsOf(m_form->board()), QStringList({"Stop,PC 1,00:00,00", "Stop,VR corner,5:00,00"}));
        op::press(Qt::Key_Delete);
        op::press(Qt::Key_Delete);
        // No row is selected now: nothing acts, and no ledger line names a station that is not there.
        const auto ledger = [this] {
            QByteArray bytes;
            for (const QString& name : m_folder->names().filter(QStringLiteral("tallivor-ledger-")))
                bytes += m_folder->read(name);
            return bytes;
        };
        const QByteArray before = ledger();
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Delete, Qt::Key_Space, Qt::Key_Return})
            op::press(key);
        op::click(m_form->btn(Button::Reset));
        op::click(m_form->btn(Button::Reset));
        QCOMPARE(ledger(), before);
        QVERIFY(!m_form->form().edit()->isVisible());
        // The scroll bar still holds 1, the new station's row: it is selected all the same, so a second Enter adds
        // nothing (its name is the selected row's now).
        add("PC 3", 2);

        op::press(Qt::Key_F9);
        expectFocus(m_form->form().settings()->Value);
        op::type(QStringLiteral("15"));
        op::press(Qt::Key_Return);
        m_form->form().close();
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")),
                 crlf({"15,English.xml", "Stop,PC 1,00:00,00", "Stop,PC 3,00:00,00"}));
    }
    void screenReadersHearNamesWholeRowsAndTheArmedState()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,PC 01,42:17,420", "Stop,PC 02,15:0,150"}));
        // A new language's state words are drawn at once, and the lists and boxes are named after its captions.
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        PaintCounter states;
        m_form->Eventlist->viewport()->installEventFilter(&states);
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        QCoreApplication::processEvents();
        states.count = 0;
        QVERIFY(m_form->board().applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        QTRY_VERIFY(states.count > 0); // first, while no other window comes or goes to redraw the lists anyway
        const auto reader = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
        QCOMPARE(reader(m_form->Namelist)->text(QAccessible::Name), QStringLiteral("Postazioni"));
        QCOMPARE(reader(m_form->form().edit()->computerName)->text(QAccessible::Name), QStringLiteral("Nome PC"));
        // A screen reader's press on a label-button is its click, and it is told the keys that do the same.
        QAccessibleInterface* remove = reader(m_form->btn(Button::Remove));
        const QString press = QAccessibleActionInterface::pressAction();
        QCOMPARE(remove->actionInterface()->keyBindingsForAction(press), QStringList{"Del"});
        QCOMPARE(remove->text(QAccessible::Accelerator), QStringLiteral("Del"));
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
    void linksOpenTheMakersAddressAndCaptionsDoNothing()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,A,1:0,10", "Stop,B,2:0,20"}));
        op::click(m_form->btn(Button::Address));
        op::click(m_form->btn(Button::Update));
        QCOMPARE(m_platform.calls.size(), std::size_t(2));
        for (const FakePlatform::ShellCall& call : m_platform.calls) {
            QCOMPARE(QStringList({call.operation, call.file, call.parameters, call.directory}),
                     QStringList({"Open", "https://tallivor.example", "", m_folder->path()}));
            QVERIFY(call.withOwner && call.showCommand == 1 && !call.parameters.isNull());
        }
    }

    void editorSavesOrMarksTheRefusedBox_data()
    {
        QTest::addColumn<int>("row"); // selected when the editor opens
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QStringList>("typed"); // name, minutes, seconds; a null text leaves the box as it opened
        QTest::addColumn<QString>("refused");   // the light yellow box; empty when Save took the station
        QTest::addColumn<QStringList>("after");
        const QString keep;
        const QStringList board{"Start,A,1000:5,10", "Stop,B,12,0"};
        const auto row = [&](const char* tag, int row, bool editing, QStringList typed, const char* refused,
                             const QStringList& after) {
            QTest::newRow(tag) << row << editing << typed << QString::fromLatin1(refused) << after;
        };
        row("add", 0, false, {"New", "5", "7"}, "", board + QStringList{"Stop,New,5:7,00"});
        row("add: the selected row's name", 0, false, {keep, keep, keep}, "computerName", board);
        row("add: another row's name", 1, false, {"A", keep, keep}, "computerName", board);
        row("add: empty minutes", 0, false, {"New", "", "5"}, "MIN_TEXT", board);
        row("add: empty seconds", 0, false, {"New", "5", ""}, "SEC_TEXT", board);
        row("add: empty name", 0, false, {"", "5", "5"}, "computerName", board);
        row("add: a name with a comma", 0, false, {"A,B", "5", "5"}, "computerName", board);
        row("add: a name with a tab", 0, false, {"A\tB", "5", "5"}, "computerName", board);
        row("edit", 0, true, {"T 4", "12", "30"}, "", {"Start,T 4,12:30,10", board[1]});
        row("edit: its own name, a long time kept whole", 0, true, {keep, keep, keep}, "", board);
        row("edit: no colon, so no seconds until typed", 1, true, {keep, keep, keep}, "SEC_TEXT", board);
        row("edit: seconds typed", 1, true, {keep, keep, "3"}, "", {board[0], "Stop,B,12:3,0"});
        row("edit: a name with a line feed", 0, true, {"x\ny", "5", "5"}, "computerName", board);
    }
    void editorSavesOrMarksTheRefusedBox()
    {
        QFETCH(int, row);
        QFETCH(bool, editing);
        QFETCH(QStringList, typed);
        QFETCH(QString, refused);
        QFETCH(QStringList, after);
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,A,1000:5,10", "Stop,B,12,0"}));
        op::clickRow(m_form->Namelist, row);
        op::click(m_form->btn(editing ? Button::Edit : Button::Add));
        EditDialog* editor = m_form->form().edit();
        QCOMPARE(editor->frmcaption->text(),
                 editing ? QStringLiteral("Edit Computer") : QStringLiteral("Add Computer"));
        const std::array boxes{editor->computerName, editor->MIN_TEXT, editor->SEC_TEXT};
        for (int i = 0; i < 3; ++i) {
            if (!typed[i].isNull())
                boxes[i]->setText(typed[i]); // as typed, or put there by an input method
        }
        op::click(editor->btn[DialogButton::Save]);
        QVERIFY(editor->isVisible()); // Save never closes the editor
        QCOMPARE(rowsOf(m_form->board()), after);
        const int selected = refused.isEmpty() && !editing ? 2 : row; // a new station is the selected one
        for (ListBox* list : listsOf(*m_form))
            QCOMPARE(list->listIndex(), selected);
        QCOMPARE(m_form->VScroll1->value(), selected);
        for (TextBox* box : boxes) {
            QCOMPARE(box->backColor(), box->objectName() == refused ? yellow : white);
            QTest::keyClick(box, Qt::Key_1); // typing makes a refused box white again
            QCOMPARE(box->backColor(), white);
        }
    }

    void languageClicksWalkTheFileList_data()
    {
        QTest::addColumn<QString>("files"); // the program folder's files, "|" between names
        QTest::addColumn<QString>("by");    // click, double-click, or Space and Down in turn
        QTest::addColumn<QString>("shown"); // the language box after each step
        // clang-format off
        QTest::newRow("from the language in force, passing over the station file")
            << "English.xml|o.xml|tallivor.xml" << "click" << "o.xml|o.xml|English.xml|o.xml|o.xml";
        QTest::newRow("no language file at all") << "" << "click" << "English.xml|English.xml";
        QTest::newRow("any letter case, sorted without regard to case")
            << "b.XML|A.xml|c.Xml|tallivor.xml|notes.txt|.hidden.xml" << "click" << "A.xml|b.XML|c.Xml|c.Xml|A.xml";
        QTest::newRow("passes over a name the header cannot hold") << "English.xml|It, new.xml|Z.xml" << "click"
                                                                   << "English.xml|Z.xml|English.xml|English.xml";
        QTest::newRow("double-click: one step") << "A.xml|B.xml|C.xml" << "double-click" << "A.xml|B.xml|C.xml|A.xml";
        QTest::newRow("Space and Down step too") << "A.xml|B.xml|tallivor.xml" << "keys" << "A.xml|B.xml|B.xml|A.xml";
        // clang-format on
    }
    void languageClicksWalkTheFileList()
    {
        QFETCH(QString, files);
        QFETCH(QString, by);
        QFETCH(QString, shown);
        // Without its language file the board makes no dialog before the first opening, which reads the folder.
        QFile::remove(m_folder->filePath(QStringLiteral("English.xml")));
        m_form = startShown(*m_folder, m_platform, englishBoard({}));
        QFile::remove(m_folder->filePath(QStringLiteral("tallivor.xml")));
        for (const QString& name : files.split(u'|', Qt::SkipEmptyParts))
            m_folder->write(name, QByteArray("heading\r\n"));
        SettingsDialog* dialog = openSettings();
        QCOMPARE(dialog->language_text->text(), QStringLiteral("English.xml"));
        if (by == QLatin1String("keys")) {
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            op::press(Qt::Key_Tab); // from the price to the language box
        }
        QStringList seen;
        for (int i = 0; i < shown.count(u'|') + 1; ++i, seen << dialog->language_text->text()) {
            if (by == QLatin1String("keys"))
                op::press(i % 2 ? Qt::Key_Down : Qt::Key_Space);
            else if (by == QLatin1String("double-click"))
                QTest::mouseDClick(dialog->language_text, Qt::LeftButton);
            else
                QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        }
        QCOMPARE(seen.join(u'|'), shown);
    }

    void settingsTakeAPriceAndALanguageOrNothing()
    {
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        m_form =
            startShown(*m_folder, m_platform, crlf({"12345678901.5,English.xml", "Start,A,0:59,0", "Stop,B,0:0,0"}));
        SettingsDialog* dialog = openSettings();
        QCOMPARE(dialog->Value->text(), QStringLiteral("12345678901.5")); // longer than one may type, and kept
        op::click(dialog->btn[DialogButton::Save]);
        QVERIFY(!m_form->form().hasSettings());
        // Cancel changes nothing.
        dialog = openSettings();
        op::retype(dialog->Value, QStringLiteral("12345678901"));
        QCOMPARE(dialog->Value->text(), QStringLiteral("1234567890")); // ten typed characters at most
        QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        op::click(dialog->btn[DialogButton::Cancel]);
        QVERIFY(!m_form->form().hasSettings());
        QCOMPARE(QStringList({m_form->REL->text(), m_form->board().languageStr()}),
                 QStringList({"12345678901.5", "English.xml"}));
        // Empty boxes are refused, the price first, and stay yellow until the dialog closes.
        dialog = openSettings();
        dialog->language_text->clear();
        op::retype(dialog->Value, QString());
        op::click(dialog->btn[DialogButton::Save]);
        QCOMPARE(QList<QColor>({dialog->Value->backColor(), dialog->language_text->backColor()}),
                 QList<QColor>({yellow, white}));
        QTest::keyClicks(dialog->Value, QStringLiteral("3"));
        op::click(dialog->btn[DialogButton::Save]);
        QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        QTest::mouseClick(dialog->language_text, Qt::LeftButton);
        QCOMPARE(QList<QColor>({dialog->Value->backColor(), dialog->language_text->backColor()}),
                 QList<QColor>({yellow, yellow}));
        // Save applies the new language at once, and the new price from the next completed minute.
        op::click(dialog->btn[DialogButton::Save]);
        QVERIFY(!m_form->form().hasSettings());
        QCOMPARE(m_form->btn(Button::Add)->text(), QStringLiteral("Aggiungi PC"));
        m_form->board().tick();
        QCOMPARE(rowsOf(m_form->board()), QStringList({"Attivo,A,1:0,3", "Fermo,B,0:0,0"}));
    }

    void textReachesABoxOnlyThroughItsRules_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("input"); // what is pasted or typed
        QTest::addColumn<QString>("result");
        const QString dirty = QStringLiteral("1,2abc\r\n9");
        // clang-format off
        QTest::newRow("Ctrl+V into the minutes") << "MIN_TEXT" << "Ctrl+V" << dirty << "129";
        QTest::newRow("Ctrl+V into the seconds, two at most") << "SEC_TEXT" << "Ctrl+V" << dirty << "12";
        QTest::newRow("the menu's Paste into the price: a comma is its decimal mark") << "Value" << "menu" << dirty << "1.29";
        QTest::newRow("typed into the price") << "Value" << "typed" << "0,2 5a" << "0.25";
        QTest::newRow("a second decimal mark is refused whole") << "Value" << "Ctrl+V" << "1,234.50" << "";
        QTest::newRow("a line break pasted") << "computerName" << "Ctrl+V" << "PC 9\r\nGhost" << "PC 9 Ghost";
        QTest::newRow("controls at a name's ends") << "computerName" << "menu" << "\tPC\x01" "9\r\n" << "PC 9";
        // Windows gives Delete the text 0x7F: still an editing key, not a character for the digit filter to discard.
        QTest::newRow("Delete in the minutes") << "MIN_TEXT" << "Delete" << "" << "0";
        QTest::newRow("Ctrl+A is a shortcut, not an A") << "MIN_TEXT" << "Ctrl+A" << "4" << "4";
        // clang-format on
    }
    void textReachesABoxOnlyThroughItsRules()
    {
        QFETCH(QString, box);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, result);
        m_form = startShown(*m_folder, m_platform, englishBoard({}));
        op::click(m_form->btn(box == QLatin1String("Value") ? Button::Settings : Button::Add));
        TextBox* target = box == QLatin1String("Value") ? m_form->form().settings()->Value
                                                        : m_form->form().edit()->controls().get<TextBox>(qPrintable(box));
        target->setText(way == QLatin1String("Ctrl+A") || way == QLatin1String("Delete") ? "00" : "");
        target->setCursorPosition(0);
        QGuiApplication::clipboard()->setText(input);
        QKeyEvent windowsDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        const std::map<QString, std::function<void()>> ways{
            {"Ctrl+V", [&] { QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier); }},
            {"typed", [&] { QTest::keyClicks(target, input); }},
            {"Ctrl+A",
             [&] {
                 QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClicks(target, input);
             }},
            {"Delete", [&] { QApplication::sendEvent(target, &windowsDelete); }},
            {"menu", [&] {
                 QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
                 QApplication::sendEvent(target, &request);
                 for (QAction* action : target->findChild<QMenu*>()->actions()) {
                     if (action->text().startsWith(QLatin1String("&Paste")))
                         action->trigger();
                 }
             }}};
        ways.at(way)();
        QCOMPARE(target->text(), result);
        QCOMPARE(target->backColor(), result.isEmpty() && !input.isEmpty() ? yellow : white); // refused whole
    }
    void everyRowCanRunAndStop_data()
    {
        QTest::addColumn<QString>("language"); // the file the header names
        QTest::addColumn<QString>("words");    // its running and stopped words; "-" for no such file in the folder
        QTest::addColumn<bool>("withEnglish"); // English.xml is in the folder
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("stopped");
        // clang-format off
        QTest::newRow("the named file is missing") << "Klingon.xml" << "-" << true << "Start" << "Stop";
        QTest::newRow("English is missing too: built-in words") << "Klingon.xml" << "-" << false << "Start" << "Stop";
        QTest::newRow("words with a comma: not taken") << "Odd.xml" << "On, now|Off, now" << true << "Start" << "Stop";
        QTest::newRow("a line feed: not taken") << "Odd.xml" << "Go\nnow|Halt" << true << "Start" << "Halt";
        QTest::newRow("equal words are not taken") << "Odd.xml" << "On|On" << false << "Start" << "Stop";
        QTest::newRow("usable words are") << "Odd.xml" << "Go|Halt" << false << "Go" << "Halt";
        // clang-format on
    }
    void everyRowCanRunAndStop()
    {
        QFETCH(QString, language);
        QFETCH(QString, words);
        QFETCH(bool, withEnglish);
        QFETCH(QString, running);
        QFETCH(QString, stopped);
        if (words != QLatin1String("-"))
            m_folder->write(language, languageWithWords(words.section(u'|', 0, 0), words.section(u'|', 1)));
        if (!withEnglish)
            QFile::remove(m_folder->filePath(QStringLiteral("English.xml")));
        const QString header = QStringLiteral("10,") + language;
        m_form = startShown(*m_folder, m_platform, crlf({header, ",A,0:59,00"}));
        QCOMPARE(QStringList({m_form->board().runningWord(), m_form->board().stoppedWord()}), QStringList({running, stopped}));
        for (int i = 0; i < 2; ++i) { // it runs, is charged a minute, and stops
            op::doubleClickRow(m_form->Eventlist, 0);
            m_form->board().tick();
        }
        // The header keeps the language the operator chose: once the file is back, it applies again.
        m_form->form().close();
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")), crlf({header, stopped + QStringLiteral(",A,1:0,10")}));
    }
    void whatIsWrittenReadsBackAsTheSameBoard()
    {
        // Random work at the counter: names pasted with any characters, times, starts and stops, prices and language
        // switches through the dialogs, to a language whose running word the file cannot hold too.
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        m_folder->write(QStringLiteral("Odd.xml"), languageWithWords(QStringLiteral("Go, on"), QStringLiteral("Go")));
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,PC 1,0:0,00"}));
        QRandomGenerator random(20261207);
        const auto text = [&random](const QString& alphabet, int longest) {
            QString t;
            for (int n = random.bounded(longest + 1); n > 0; --n)
                t.append(alphabet.at(random.bounded(int(alphabet.size()))));
            return t;
        };
        const QString anything = QStringLiteral("ab Z9,:=\r\n\t\x01\u00e9\u06a9\u202e");
        for (int step = 0; step < 300; ++step) {
            switch (random.bounded(4)) {
            case 0: {
                op::click(m_form->btn(random.bounded(2) ? Button::Add : Button::Edit));
                EditDialog* editor = m_form->form().edit();
                for (TextBox* box : {editor->computerName, editor->MIN_TEXT, editor->SEC_TEXT}) {
                    box->selectAll();
                    QGuiApplication::clipboard()->setText(text(anything, 6));
                    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                }
                op::click(editor->btn[DialogButton::Save]);
                break;
            }
            case 1: op::doubleClickRow(m_form->Eventlist, random.bounded(m_form->Eventlist->listCount())); break;
            case 2: {
                op::click(m_form->btn(Button::Settings));
                SettingsDialog* settings = m_form->form().settings();
                op::retype(settings->Value, text(QStringLiteral("0123456789.a,"), 3));
                for (int n = random.bounded(6); n > 0; --n)
                    QTest::mouseClick(settings->language_text, Qt::LeftButton);
                op::click(settings->btn[DialogButton::Save]); // a refused price leaves it open for the next time
                break;
            }
            default: m_form->board().tick(random.bounded(70));
            }
            m_form->board().savefile();
            const StationFile file = parseStationFile(decodeDataFile(m_folder->read(QStringLiteral("tallivor.xml"))));
            QCOMPARE(QList<QStringList>({file.state, file.name, file.time, file.charge}),
                     QList<QStringList>({column(m_form->Eventlist), column(m_form->Namelist), column(m_form->timeList),
                                         column(m_form->Rellist)}));
            QCOMPARE(QStringList({file.price.value_or(QString()), file.language.value_or(QString())}),
                     QStringList({m_form->REL->text(), m_form->board().languageStr()}));
            QVERIFY(m_form->board().runningWord() != m_form->board().stoppedWord());
            for (const QString& word : column(m_form->Eventlist))
                QVERIFY(word == m_form->board().runningWord() || word == m_form->board().stoppedWord());
        }
        QVERIFY(m_form->Namelist->listCount() > 10);
    }
};

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
