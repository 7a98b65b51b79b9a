#pragma once

#include "ui/LabelButton.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QtTest>

// A text box showing refused input is light yellow; otherwise white.
inline const QColor yellow(255, 255, 192);
inline const QColor white(Qt::white);

// What an operator does with the mouse and keyboard, sent through the window system the way real input arrives.
namespace op {

// A click on a label-button, in the middle of its caption.
inline void click(tallivor::LabelButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 6));
}

// Where a row of a list is drawn, in its viewport.
inline QRect rowRect(const tallivor::ListBox* list, int row)
{
    return list->visualRect(list->model()->index(row, 0));
}

// A click or a double-click on a row of a list.
inline void clickRow(tallivor::ListBox* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect(list, row).center());
}
inline void doubleClickRow(tallivor::ListBox* list, int row)
{
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowRect(list, row).center());
}

// Clears a text box with End and Backspace, as an operator would (select-all types nothing into a digit box), and
// types text into it.
inline void retype(QWidget* box, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    for (int guard = 0; edit && !edit->text().isEmpty() && guard < 1000; ++guard)
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Moves the pointer to pos, in the coordinates of widget, through widget's window.
inline void movePointer(QWidget* widget, QPoint pos)
{
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
}

// A key pressed and released where the keyboard is: the focus widget of the active window.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Counts the paint events of the widgets it is installed on: what the operator sees drawn anew.
struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace op
