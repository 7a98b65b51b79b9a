// The main window on a real Board, driven as the operator does: the selection of a station in all four lists, the
// double-click, the keys, the two-click confirmations, the hover, what screen readers hear, the life of the process
// (elevation, one board per folder, termination), and what of the layout the operator needs.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "report/ReportWindow.h"
#include "ui/HandPointer.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TerminationSignals.h"
#include "ui/TextBox.h"
#include "window/Form1.h"

#include <QAccessible>
#include <QBitmap>
#include <QDesktopServices>
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
        // The hand, black outlined and white inside, is over the label-buttons.
        const QCursor hand = handPointer();
        const QImage shape = hand.bitmap().toImage(), mask = hand.mask().toImage();
        const auto set = [](const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); };
        QVERIFY(set(mask, 5, 0) && set(shape, 5, 0) && set(mask, 5, 1) && !set(shape, 5, 1) && !set(mask, 0, 0));
        for (LabelButton* button : m_form->form().findChildren<LabelButton*>(QStringLiteral("btn")))
            QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
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
        // The report, where the shift is closed on the board's ledger.
        expectFocus(m_form->Namelist);
        op::press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(m_form->form().report()->isVisible());
        op::click(m_form->form().report()->btn(ReportButton::CloseShift)); // arms it: no charge is unbilled
        op::click(m_form->form().report()->btn(ReportButton::CloseShift));
        QVERIFY(ledger().contains(",shift,,,,15,bills=1; billed=10; time=1:01,"));
        QCOMPARE(m_form->form().report()->findChild<Label*>("message")->text(),
                 QStringLiteral("Shift closed: 1 bills, 10 $"));
        m_form->form().close();
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")),
                 crlf({"15,English.xml", "Stop,PC 1,00:00,00", "Stop,PC 3,00:00,00"}));
    }
    void screenReadersHearNamesWholeRowsAndTheArmedState()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,PC 01,42:17,420", "Stop,PC 02,15:0,150"}));
        // A new language's state words are drawn at once, and the lists and boxes are named after its captions.
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        op::PaintCounter states;
        m_form->Eventlist->viewport()->installEventFilter(&states);
        QVERIFY(QTest::qWaitForWindowActive(&m_form->form()));
        QCoreApplication::processEvents();
        states.count = 0;
        QVERIFY(m_form->board().applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        QTRY_VERIFY(states.count > 0); // first, while no other window comes or goes to redraw the lists anyway
        const auto reader = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
        QCOMPARE(reader(m_form->Namelist)->text(QAccessible::Name), QStringLiteral("Postazioni"));
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
    void linksOpenTheMakersAddressAndCaptionsDoNothing()
    {
        m_form = startShown(*m_folder, m_platform, englishBoard({"Start,A,1:0,10", "Stop,B,2:0,20"}));
        LabelButton* address = m_form->btn(Button::Address);
        QCOMPARE(address->text(), QStringLiteral("tallivor.example")); // the address without its scheme
        QTest::mousePress(address, Qt::LeftButton, {}, QPoint(5, 5));  // pressed, and let go off the link: no click
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

    void hereNoElevationIsAskedForAndTheAddressOpensInTheBrowser()
    {
        const std::unique_ptr<Platform> platform = makeNativePlatform(m_folder->path());
        QVERIFY(platform->isUserAnAdmin());
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        platform->shellExecute(nullptr, QStringLiteral("Open"), QString::fromLatin1(makerAddress), QString(),
                               m_folder->path(), swShowNormal);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QString::fromLatin1(makerAddress))});
    }

    void theClockRunsFromTheLoadStep()
    {
        m_folder->write(QStringLiteral("tallivor.xml"), englishBoard({"Start,A,0:0,00"}));
        m_platform.folder = m_folder->path();
        RunningBoard window(m_platform, m_folder->path());
        window.form().load();
        m_platform.steady = {1000, 1000};
        QTRY_COMPARE(window.timeList->list(0), QStringLiteral("0:1")); // at the next event of the window's clock
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
