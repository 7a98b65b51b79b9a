#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace tallivor {
class ListBox;
class LabelButton;
} // namespace tallivor

// What an operator does with the mouse and keyboard, sent through the window system the way real input arrives.
namespace op {

// A click on a label-button, in the middle of its caption.
void click(tallivor::LabelButton* button);
// A click on row of a list.
void clickRow(tallivor::ListBox* list, int row);
void doubleClickRow(tallivor::ListBox* list, int row);
// Clears a text box and types text into it.
void retype(QWidget* box, const QString& text);
// Moves the pointer to pos, in the coordinates of widget, through widget's window.
void movePointer(QWidget* widget, QPoint pos);
// A key pressed and released where the keyboard is: the focus widget of the active window.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Text typed where the keyboard is.
void type(const QString& text);

} // namespace op
