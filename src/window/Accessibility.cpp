// The board without a mouse: its keys, where the keyboard starts, what cancels a pending confirmation, and what a
// screen reader hears of the lists.
#include "window/Form1.h"

#include "board/Board.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include <algorithm>
#include <optional>

namespace tallivor {
namespace {

// A key of the board and the label-button whose click it is. Without a label-button the key starts or stops the
// selected station, as a double-click on its state word does.
struct BoardKey
{
    QKeyCombination keys;
    std::optional<Button> button;
};

constexpr BoardKey boardKeys[] = {
    {Qt::Key_Space, std::nullopt},
    {Qt::Key_Return, Button::Edit},
    {Qt::Key_Enter, Button::Edit},
    {Qt::Key_F2, Button::Edit},
    {Qt::Key_Insert, Button::Add},
    {Qt::Key_Delete, Button::Remove},
    {Qt::CTRL | Qt::Key_R, Button::Reset},
    {Qt::Key_F9, Button::Settings},
    {Qt::CTRL | Qt::Key_Comma, Button::Settings},
    {Qt::CTRL | Qt::Key_P, Button::Report},
};

// Read with each list: the board's keys, as a screen reader user cannot see the captions that do the same.
constexpr char keysHelp[] = "Space starts or stops the station, Enter edits it, Insert adds one, Delete twice removes "
                            "it, Ctrl+R twice resets its time and charge, F9 opens the settings, Ctrl+P the report";

bool isModifier(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
    }
}

} // namespace

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

    for (const BoardKey& key : boardKeys) {
        if (key.button)
            btn[*key.button]->addKeyName(QKeySequence(key.keys).toString(QKeySequence::NativeText));
    }
    for (Button caption : {Button::StateCaption, Button::NameCaption, Button::TimeCaption, Button::BlankCaption,
                           Button::ChargeCaption, Button::Credit})
        btn[caption]->setCommand(false);
    for (ListBox* list : {Eventlist, Namelist, timeList, Rellist})
        list->setAccessibleDescription(QLatin1String(keysHelp));
    for (Column column : {Column::State, Column::Name, Column::Time, Column::Charge})
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
    if (isModifier(event.key()))
        return false; // Ctrl on its way to Ctrl+R is not a key of its own
    const QKeyCombination pressed(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    const auto* key = std::find_if(std::begin(boardKeys), std::end(boardKeys),
                                   [pressed](const BoardKey& k) { return k.keys == pressed; });
    if (key == std::end(boardKeys)) {
        disarmExcept(nullptr);
        return false; // the list's own: moving the selection or searching, a click by the keyboard
    }
    if (event.isAutoRepeat())
        return true; // a held key acts once: holding Delete must not arm and then remove
    disarmExcept(key->button ? btn[*key->button] : nullptr);
    if (key->button)
        btnClick(*key->button);
    else
        m_board.toggleStation(Eventlist->listIndex());
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
    return QStringList{Namelist->list(row), Eventlist->list(row), timeList->list(row), Rellist->list(row)}.join(
        QLatin1String(", "));
}

void Form1::nameForScreenReaders()
{
    // The lists are named by their column captions, in the language in force.
    Eventlist->setAccessibleName(btn[Button::StateCaption]->text());
    Namelist->setAccessibleName(btn[Button::NameCaption]->text());
    timeList->setAccessibleName(btn[Button::TimeCaption]->text());
    Rellist->setAccessibleName(btn[Button::ChargeCaption]->text());
}

} // namespace tallivor
