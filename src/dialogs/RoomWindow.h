#pragma once

#include "dialogs/DialogWindow.h"
#include "till/RoomSettings.h"

class QComboBox;
class QPlainTextEdit;

namespace tallivor {

class Board;
class Label;
class TextBox;

// The room's settings beside the price and the language: the name on the receipt, its address lines, its last line,
// the receipt printer and the width of its roll. Save gives the board each setting the operator changed, each with
// its setting line, and closes; Cancel (Escape) closes and changes nothing.
class RoomWindow : public DialogWindow
{
    Q_OBJECT
public:
    RoomWindow(Board& board, QWidget& owner);

    // Shows the window with the settings as they stand now, the keyboard in the name box.
    void open();

    TextBox* const nameBox;
    QPlainTextEdit* const addressBox;
    TextBox* const closingBox;
    QComboBox* const printerBox;
    QComboBox* const widthBox;

protected:
    void save() override;

private:
    // Takes the texts of the language in force.
    void relabel();
    // The value the window shows for a setting now.
    QString shown(RoomSettings::Key key) const;

    Board& m_board;
};

} // namespace tallivor
