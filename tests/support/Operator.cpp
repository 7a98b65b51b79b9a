#include "Operator.h"

#include "ui/LabelButton.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace op {

void click(tallivor::LabelButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, 6));
}

static QPoint rowCentre(tallivor::ListBox* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

void clickRow(tallivor::ListBox* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

void doubleClickRow(tallivor::ListBox* list, int row)
{
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

void retype(QWidget* box, const QString& text)
{
    // End and Backspace, as an operator would: select-all is a control character the digit-only boxes refuse.
    auto* edit = qobject_cast<QLineEdit*>(box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    for (int guard = 0; edit && !edit->text().isEmpty() && guard < 1000; ++guard)
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void movePointer(QWidget* widget, QPoint pos)
{
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, pos));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void type(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

} // namespace op
