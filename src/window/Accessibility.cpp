// The board without a mouse: its keys, where the keyboard starts, what cancels a pending confirmation, and what a
// screen reader hears of the lists.
#include "window/Form1.h"

#include "board/Board.h"
#include "dialogs/ProductsWindow.h"
#include "dialogs/RoomWindow.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"
#include "window/StationRows.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace tallivor {

void Form1::setUpKeyboard()
{
    // The lists are the board's only stops for Tab, left to right, and the keyboard starts in the names.
    setTabOrder(Eventlist, Namelist);
    setTabOrder(Namelist, timeList);
    setTabOrder(timeList, Rellist);
    Namelist->setFocus();
    // Keys come from the lists, which alone take the focus; presses that disarm a confirmation from every control.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    for (const BoardKey& key : boardKeys()) {
        if (key.button)
            btn[*key.button]->addKeyName(QKeySequence(key.keys).toString(QKeySequence::NativeText));
    }
    for (Button caption : {Button::StateCaption, Button::NameCaption, Button::TimeCaption, Button::BlankCaption,
                           Button::ChargeCaption, Button::Credit})
        btn[caption]->setCommand(false);
    for (Column column : {Column::State, Column::Name, Column::Spent, Column::Charge})
        m_board.column(column).setRowText([this](int row) { return stationRowText(row); });
    REL->setAccessibleName(QStringLiteral("Price per minute"));
    nameForScreenReaders();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == Eventlist || watched == Namelist || watched == timeList || watched == Rellist)
            return boardKeyPress(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        // A press on a due row acknowledges it, also on the row already selected, whose click does nothing else.
        for (ListBox* list : {Eventlist, Namelist, timeList, Rellist}) {
            if (watched == list->viewport())
                m_board.acknowledge(list->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row());
        }
        disarmExcept(qobject_cast<LabelButton*>(watched));
        break;
    case QEvent::MouseButtonDblClick: disarmExcept(qobject_cast<LabelButton*>(watched)); break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mousePressEvent(QMouseEvent* event)
{
    disarmExcept(nullptr);
    event->accept();
}

bool Form1::boardKeyPress(const QKeyEvent& event)
{
    if (isModifierKey(event.key()))
        return false; // Ctrl on its way to Ctrl+R is not a key of its own
    const BoardKey* key = findBoardKey(event);
    if (!key) {
        disarmExcept(nullptr);
        return false; // the list's own: moving the selection or searching, a click by the keyboard
    }
    if (event.isAutoRepeat())
        return true; // a held key acts once: holding Delete must not arm and then remove
    disarmExcept(key->button ? btn[*key->button] : nullptr);
    switch (key->command) {
    case BoardCommand::Click: btnClick(*key->button); break;
    case BoardCommand::Toggle: m_board.toggleStation(Eventlist->listIndex()); break;
    case BoardCommand::Receipt: printLastReceipt(); break;
    case BoardCommand::AddPaid: m_board.topUp(selectedRow(), true); break;
    case BoardCommand::TakePaid: m_board.topUp(selectedRow(), false); break;
    case BoardCommand::Acknowledge: m_board.acknowledgeAll(); break;
    case BoardCommand::Sell: openSell(false); break;
    case BoardCommand::SellCounter: openSell(true); break;
    case BoardCommand::Products: products()->open(); break;
    case BoardCommand::Room: room()->open(); break;
    }
    return true;
}

void Form1::disarmExcept(const LabelButton* kept)
{
    for (Button button : {Button::Reset, Button::Remove}) {
        if (btn[button] != kept)
            btn[button]->setItalic(false);
    }
}

QString Form1::stationRowText(int row) const
{
    QStringList parts{Namelist->list(row), Eventlist->list(row), timeList->list(row), Rellist->list(row)};
    const QString paid = StationRows::spokenState(m_board, row);
    if (!paid.isEmpty())
        parts << paid;
    return parts.join(QLatin1String(", "));
}

void Form1::nameForScreenReaders()
{
    // The lists are named by their column captions, in the language in force.
    Eventlist->setAccessibleName(btn[Button::StateCaption]->text());
    Namelist->setAccessibleName(btn[Button::NameCaption]->text());
    timeList->setAccessibleName(btn[Button::TimeCaption]->text());
    Rellist->setAccessibleName(btn[Button::ChargeCaption]->text());
    for (ListBox* list : {Eventlist, Namelist, timeList, Rellist})
        list->setAccessibleDescription(QLatin1String(keysHelp) + QLatin1String(", ") +
                                       m_board.language().texts()[KeyedText::PaidKeys]);
}

} // namespace tallivor
