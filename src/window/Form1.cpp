// The main window: its controls as views of the Board, the selection sync of the station table, the double-click
// toggle, the hover feedback of its label-buttons, and the life of the process.
#include "window/Form1.h"

#include "board/Board.h"
#include "board/BoardLock.h"
#include "dialogs/EditDialog.h"
#include "dialogs/RoomWindow.h"
#include "dialogs/SettingsDialog.h"
#include "report/ReportWindow.h"
#include "ui/Hover.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"
#include "window/AlarmBell.h"
#include "window/StationRows.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>

namespace tallivor {
namespace {

QString makerCaption()
{
    // The footer shows the address without its scheme.
    const QString address = QString::fromLatin1(makerAddress);
    const qsizetype scheme = address.indexOf(QLatin1String("://"));
    return scheme < 0 ? address : address.mid(scheme + 3);
}

} // namespace

Form1::Form1(Platform& platform, Board& board, QWidget* parent)
    : QWidget(parent), m_controls(buildLayout(*this, form1Layout())), Eventlist(m_controls.get<ListBox>("Eventlist")),
      Namelist(m_controls.get<ListBox>("Namelist")), timeList(m_controls.get<ListBox>("timeList")),
      Rellist(m_controls.get<ListBox>("Rellist")), VScroll1(m_controls.get<ScrollBar>("VScroll1")),
      REL(m_controls.get<TextBox>("REL")), VALUEUNIT(m_controls.get<Label>("VALUEUNIT")),
      diskWarning(m_controls.get<Label>("diskWarning")), btn(m_controls), m_platform(platform), m_board(board),
      m_boardLock(new BoardLock(board.programFolder(), this)), m_alarm(new AlarmBell(board, platform, *this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tallivor"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setUpWindow(*this, 8055, 5790, QColor(form1Background));
    QPixmap clear(32, 32);
    clear.fill(Qt::transparent);
    setWindowIcon(QIcon(clear));
    setMouseTracking(true);

    btn[Button::Address]->setText(makerCaption());
    // The price box and the scroll bar lie outside what the operator sees: they must not take the keyboard focus.
    REL->setFocusPolicy(Qt::NoFocus);
    VScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setMin(0);
    VScroll1->setMax(8);
    VScroll1->setValue(8);

    // REL shows the Board's price; the lists show its columns from the load step on.
    REL->setText(board.price());
    connect(&board, &Board::priceChanged, REL, [this] { REL->setText(m_board.price()); });
    connect(&board, &Board::languageApplied, this, &Form1::relabel);
    connect(&board, &Board::diskStateChanged, this, [this] { showDiskState(); });
    setUpReceipts();
    // Each list draws a station's paid state beside its text; the Board names the rows whose state changed.
    const std::pair<ListBox*, Column> columns[] = {
        {Eventlist, Column::State}, {Namelist, Column::Name}, {timeList, Column::Spent}, {Rellist, Column::Charge}};
    for (const auto& [list, column] : columns) {
        list->setItemDelegate(new StationRows(
            board, column, [this] { return m_alarm->blinkOn(); }, list));
        connect(m_alarm, &AlarmBell::blinked, list, [list] { list->viewport()->update(); });
    }

    connect(Eventlist, &ListBox::listClick, this, &Form1::Eventlist_Click);
    connect(Rellist, &ListBox::listClick, this, &Form1::Rellist_Click);
    connect(timeList, &ListBox::listClick, this, &Form1::timeList_Click);
    connect(Namelist, &ListBox::listClick, this, &Form1::Namelist_Click);
    connect(VScroll1, &ScrollBar::change, this, &Form1::VScroll1_Change);
    connect(Eventlist, &ListBox::listDblClick, this, &Form1::Eventlist_DblClick);
    connect(Namelist, &ListBox::listDblClick, this, [this] { btnClick(Button::Edit); });
    connect(timeList, &ListBox::listDblClick, this, [this] { btnClick(Button::Edit); });
    keepListsScrolledTogether();

    for (LabelButton* button : btn) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(Button(index)); });
        connect(button, &LabelButton::pointerMoved, this,
                [this](int index, float x, float y) { btnMouseMove(Button(index), x, y); });
    }

    connect(m_boardLock, &BoardLock::comeForwardRequested, this, &Form1::comeForward);
    setUpKeyboard();
}

Form1::~Form1()
{
    delete m_report.data(); // a window of its own, owned by no other
}

void Form1::NoVertScrollBar(ListBox* list)
{
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// A click in one list selects the same row in the others. Each setListIndex runs the click handling of the list it
// sets when the index changes, so the handlers reach each other and stop once every list holds the row.

void Form1::Eventlist_Click()
{
    Rellist->setListIndex(Eventlist->listIndex());
    NoVertScrollBar(Rellist);
}

void Form1::Rellist_Click()
{
    timeList->setListIndex(Rellist->listIndex());
    Namelist->setListIndex(Rellist->listIndex());
    NoVertScrollBar(Rellist);
}

void Form1::timeList_Click()
{
    Namelist->setListIndex(timeList->listIndex());
    Rellist->setListIndex(Namelist->listIndex());
    NoVertScrollBar(Rellist);
}

void Form1::Namelist_Click()
{
    timeList->setListIndex(Namelist->listIndex());
    Rellist->setListIndex(Namelist->listIndex());
    Eventlist->setListIndex(Namelist->listIndex());
    VScroll1->setValue(Namelist->listIndex());
    NoVertScrollBar(Rellist);
}

void Form1::VScroll1_Change()
{
    timeList->setListIndex(VScroll1->value());
    Namelist->setListIndex(VScroll1->value());
    Rellist->setListIndex(VScroll1->value());
}

void Form1::Eventlist_DblClick()
{
    m_board.toggleStation(Eventlist->listIndex());
}

int Form1::selectedRow() const
{
    const int row = Namelist->listIndex();
    for (const ListBox* list : {Eventlist, timeList, Rellist}) {
        if (list->listIndex() != row)
            return -1;
    }
    return row;
}

Refusal Form1::addStation(const StationEdit& edit)
{
    if (const Refusal refused = m_board.addStation(edit); refused != Refusal::None)
        return refused;
    // Selecting through the scroll bar runs the selection cascade only when its value changes. It already holds the
    // new index when the last row was removed before; the new station is still the one selected, or Enter, Delete and
    // the editor's next Save would act on no station or on another one.
    const int last = m_board.rowCount() - 1;
    VScroll1->setMax(last);
    VScroll1->setValue(last);
    Namelist->setListIndex(last);
    for (ListBox* list : {Namelist, timeList, Eventlist, Rellist})
        NoVertScrollBar(list);
    return Refusal::None;
}

void Form1::keepListsScrolledTogether()
{
    // The four lists show one row per line: whichever is scrolled, the others follow, so that a line never shows
    // one station's name beside another station's time.
    const std::array<ListBox*, 4> lists{Eventlist, Namelist, timeList, Rellist};
    for (ListBox* source : lists) {
        connect(source->verticalScrollBar(), &QScrollBar::valueChanged, this, [lists](int value) {
            for (ListBox* list : lists)
                list->verticalScrollBar()->setValue(value);
        });
    }
}

void Form1::btnMouseMove(Button button, float x, float y)
{
    hoverLabelButton(*btn[button], x, y, DisarmOnLeave::Yes);
}

void Form1::surfaceMouseMove()
{
    btn[Button::Reset]->setItalic(false);
    btn[Button::Remove]->setItalic(false);
    for (LabelButton* button : btn)
        button->setUnderline(false);
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    surfaceMouseMove();
    event->accept();
}

bool Form1::hasEdit() const
{
    return m_edit && !m_edit->isDiscarded();
}

bool Form1::hasSettings() const
{
    return m_settings && !m_settings->isDiscarded();
}

EditDialog* Form1::edit()
{
    if (!hasEdit()) {
        m_edit = new EditDialog(this);
        m_edit->relabel(m_board.language().entries(), m_board.language().texts());
    }
    return m_edit;
}

SettingsDialog* Form1::settings()
{
    if (!hasSettings()) {
        m_settings = new SettingsDialog(m_board.programFolder(), this);
        m_settings->relabel(m_board.language().entries(), m_board.language().texts());
        connect(m_settings, &SettingsDialog::roomSettingsRequested, this, [this] { room()->open(); });
    }
    return m_settings;
}

ReportWindow* Form1::report()
{
    if (!m_report) {
        m_report = new ReportWindow(m_board.ledger(), m_board.programFolder());
        connect(m_report, &ReportWindow::shiftCloseAsked, this,
                [this] { m_report->armShiftClose(m_board.table().unbilled()); });
        // The shift line reaches the report as any line does; the report then says what the shift held.
        connect(m_report, &ReportWindow::shiftCloseRequested, this,
                [this] { m_report->showShiftClosed(m_board.closeShift()); });
        connect(&m_board, &Board::ledgerWritten, m_report, &ReportWindow::takeLine);
        connect(m_report, &ReportWindow::receiptAsked, this, &Form1::printReceiptAgain);
    }
    return m_report;
}

// The life of the process.

void Form1::load()
{
    if (!m_platform.isUserAnAdmin()) {
        m_platform.shellExecute(nullptr, QStringLiteral("runas"), m_platform.relaunchFile(m_board.programFolder()),
                                m_platform.commandLineTail() + QLatin1String("/admin"), QString(), swShowNormal);
        close();
        return;
    }
    // Taken only now: the copy without rights that relaunches itself must leave the lock to its elevated copy.
    if (!m_boardLock->tryLock()) {
        m_platform.allowSetForegroundWindow();
        m_boardLock->askOwnerToComeForward();
        close();
        return;
    }
    // The lists give up the layout's sample rows and show the Board's columns: the one copy of the station data.
    Eventlist->setColumn(m_board.column(Column::State));
    Namelist->setColumn(m_board.column(Column::Name));
    timeList->setColumn(m_board.column(Column::Spent));
    Rellist->setColumn(m_board.column(Column::Charge));
    m_board.load();
    const int rows = m_board.rowCount();
    VScroll1->setMax(rows - 1);
    VScroll1->setValue(rows - 1);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing asks nothing: the board is saved, with the seconds counted up to now, and the process ends. Only the
    // copy that owns the board writes it, and its close line. While the disk refuses something, the first close keeps
    // the window and says so; a second one within a few seconds closes, as the operator chose.
    if (m_platform.isUserAnAdmin() && m_boardLock->isLocked()) {
        m_board.persist();
        const bool again = m_closeRefused.isValid() && m_closeRefused.elapsed() < 10'000;
        if (!m_board.diskState().saved() && !again && !m_closingAnyway) {
            m_closeRefused.start();
            showDiskState(true);
            event->ignore();
            return;
        }
        m_board.close();
    }
    event->accept();
    endProcess();
}

void Form1::closeAnyway()
{
    m_closingAnyway = true;
    close();
}

void Form1::endProcess()
{
    m_ended = true;
    m_board.stop();
    // Open dialogs go with the process, their pending input unapplied.
    delete m_edit.data();
    delete m_settings.data();
    delete m_report.data();
    deleteTillWindows();
    m_boardLock->unlock();
    emit processEnded();
}

void Form1::comeForward()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace tallivor
