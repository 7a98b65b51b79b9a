// The main window: its controls, the selection sync of the station table, the double-click toggle and the hover
// feedback of its label-buttons.
#include "board/Form1.h"

#include "board/BoardLock.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "report/ReportWindow.h"
#include "ui/Hover.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>

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

Form1::Form1(Platform& platform, QString programFolder, QWidget* parent)
    : QWidget(parent), m_controls(buildLayout(*this, form1Layout())), Eventlist(m_controls.get<ListBox>("Eventlist")),
      Namelist(m_controls.get<ListBox>("Namelist")), timeList(m_controls.get<ListBox>("timeList")),
      Rellist(m_controls.get<ListBox>("Rellist")), VScroll1(m_controls.get<ScrollBar>("VScroll1")),
      REL(m_controls.get<TextBox>("REL")), Time(m_controls.get<QTimer>("Time")),
      VALUEUNIT(m_controls.get<Label>("VALUEUNIT")), frmcaption(m_controls.get<Label>("frmcaption")), btn(m_controls),
      m_platform(platform), m_folder(std::move(programFolder)), m_boardLock(new BoardLock(m_folder, this)),
      m_ledger(m_folder, [&platform] { return platform.now(); }), m_autosaveTimer(new QTimer(this))
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

    Time->setInterval(1000);
    connect(Time, &QTimer::timeout, this, &Form1::clockTimeout);
    m_seconds = SteadySeconds(m_platform.steadyTime());
    Time->start();

    connect(m_boardLock, &BoardLock::comeForwardRequested, this, &Form1::comeForward);

    // Started by the load step once the board is read: a copy that relaunches itself never saves.
    m_autosaveTimer->setObjectName(QStringLiteral("autosave"));
    connect(m_autosaveTimer, &QTimer::timeout, this, &Form1::autosave);

    setUpKeyboard();
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
    toggleStation(Eventlist->listIndex());
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

EditDialog* Form1::edit()
{
    if (!hasEdit())
        m_edit = new EditDialog(*this);
    return m_edit;
}

SettingsDialog* Form1::settings()
{
    if (!hasSettings())
        m_settings = new SettingsDialog(*this);
    return m_settings;
}

bool Form1::hasEdit() const
{
    return m_edit && !m_edit->isDiscarded();
}

bool Form1::hasSettings() const
{
    return m_settings && !m_settings->isDiscarded();
}

ReportWindow* Form1::report()
{
    if (!m_report)
        m_report = new ReportWindow(*this);
    return m_report;
}

bool Form1::hasReport() const
{
    return !m_report.isNull();
}

} // namespace tallivor
