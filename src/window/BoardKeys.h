#pragma once

#include <QKeyCombination>

#include <cstddef>
#include <optional>
#include <span>

class QKeyEvent;

namespace tallivor {

// The main window's label-buttons, by their place in its btn array.
enum class Button
{
    Add,
    Remove,
    Settings,
    Edit,
    Reset,
    StateCaption,
    NameCaption,
    TimeCaption,
    BlankCaption, // over the charge column, never given a text
    ChargeCaption,
    Credit,
    Address,
    Update,
    Report, // right of Remove Computer: opens the report window
};
inline constexpr std::size_t buttonCount = std::size_t(Button::Report) + 1;

// What a key of the board does besides clicking a label-button.
enum class BoardCommand
{
    Click,       // the label-button's click
    Toggle,      // start or stop the selected station, as a double-click on its state word does
    Receipt,     // F6: the last bill's receipt
    AddPaid,     // + : fifteen paid minutes more for the selected station
    TakePaid,    // - : fifteen paid minutes less
    Acknowledge, // Escape: the operator has seen every due station; their alarm stops
    Sell,        // F4: the sell window for the selected station's tab
    SellCounter, // Shift+F4: the sell window for the counter, paid at once
    Products,    // F8: the products list
    Room,        // F3: the room's settings
};

// A key of the board, and what it does: a label-button's click, or a command of its own.
struct BoardKey
{
    QKeyCombination keys;
    std::optional<Button> button;
    BoardCommand command = BoardCommand::Click;
};

// Every key of the board.
std::span<const BoardKey> boardKeys();
// The board's key that a key press is, if any: + and - count alike on the main keyboard (with or without Shift) and
// the keypad.
const BoardKey* findBoardKey(const QKeyEvent& event);
// Whether the key is only a modifier on its way to a combination (Ctrl on its way to Ctrl+R).
bool isModifierKey(int key);

// Read with each list: the board's keys, as a screen reader user cannot see the captions that do the same.
inline constexpr char keysHelp[] = "Space starts or stops the station, Enter edits it, Insert adds one, Delete twice "
                                   "removes it, Ctrl+R twice resets its time and charge, F6 prints the last "
                                   "bill's receipt, F9 opens the settings, Ctrl+P the report, F4 sells to the "
                                   "station, Shift+F4 at the counter, F8 opens the products, F3 the room settings";

} // namespace tallivor
