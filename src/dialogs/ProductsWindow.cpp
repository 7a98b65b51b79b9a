#include "dialogs/ProductsWindow.h"

#include "board/Board.h"
#include "ui/TextBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>

namespace tallivor {

// One field's change, on the till (with its product line) or on a copy of its list (a trial, with none): the two
// take the same operations with the same checks.
template <typename Target>
ProductFault ProductsWindow::change(Target& target, qsizetype index, Field field, const QString& text)
{
    switch (field) {
    case Field::Name: return target.rename(index, text);
    case Field::Price: return target.reprice(index, text);
    case Field::Stock: return target.setCount(index, text);
    case Field::Code: return target.setCode(index, text);
    case Field::Reorder: return target.setReorder(index, text);
    }
    return ProductFault::None;
}

void ProductsWindow::btnClick(ProductsButton button)
{
    if (button != ProductsButton::Remove)
        disarm();
    switch (button) {
    case ProductsButton::Add: add(); break;
    case ProductsButton::Save: save(); break;
    case ProductsButton::Remove:
        if (selected() >= 0)
            confirmTwice(*btn(ProductsButton::Remove), [this] { remove(); });
        break;
    case ProductsButton::Up: move(-1); break;
    case ProductsButton::Down: move(1); break;
    case ProductsButton::Delivered: deliver(); break;
    }
}

bool ProductsWindow::accepted(ProductFault fault, TextBox* box)
{
    if (fault == ProductFault::None) {
        message->clear();
        return true;
    }
    if (box)
        box->setRefused(true);
    message->setText(texts()[KeyedText::ProductsRefused].arg(reason(fault)));
    return false;
}

void ProductsWindow::add()
{
    const ProductFault fault =
        m_board.till().add({nameBox->text(), priceBox->text(), stockBox->text(), codeBox->text(), reorderBox->text()});
    TextBox* box = nullptr;
    switch (fault) {
    case ProductFault::Name:
    case ProductFault::Duplicate: box = nameBox; break;
    case ProductFault::Price: box = priceBox; break;
    case ProductFault::Stock: box = stockBox; break;
    case ProductFault::Code:
    case ProductFault::CodeTaken: box = codeBox; break;
    case ProductFault::Reorder: box = reorderBox; break;
    default: break;
    }
    if (accepted(fault, box))
        refresh(qsizetype(m_board.till().products().products().size()) - 1);
}

void ProductsWindow::save()
{
    const qsizetype index = selected();
    if (index < 0) {
        add();
        return;
    }
    // What differs between the boxes and the product, in the order the till applies it.
    const std::array<TextBox*, 5> boxes{nameBox, priceBox, stockBox, codeBox, reorderBox};
    const std::array<QString, 5> before = textsOf(m_board.till().products(), index);
    std::vector<Field> changed;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->text() != before[i])
            changed.push_back(Field(i));
    }
    // Each change is an operation of its own; tried first on a copy of the list, a Save refused by its third box
    // has not applied the first two.
    ProductList trial = m_board.till().products();
    for (Field field : changed) {
        TextBox* box = boxes[std::size_t(field)];
        if (!accepted(change(trial, index, field, box->text()), box))
            return;
    }
    for (Field field : changed)
        change(m_board.till(), index, field, boxes[std::size_t(field)]->text());
    message->clear();
    refresh(index);
}

void ProductsWindow::move(int by)
{
    const qsizetype from = selected(), to = from + by;
    if (from < 0 || to < 0 || to >= qsizetype(m_board.till().products().products().size()))
        return; // the first product goes no higher, the last no lower
    if (accepted(m_board.till().move(from, to), nullptr))
        refresh(to);
}

void ProductsWindow::remove()
{
    const qsizetype index = selected();
    if (!accepted(m_board.till().remove(index), nullptr))
        return;
    const qsizetype left = qsizetype(m_board.till().products().products().size());
    refresh(std::min(index, left - 1)); // the product that took its place, or the new last one
}

void ProductsWindow::deliver()
{
    const qsizetype index = selected();
    // Five digits at most: an empty box is no delivery, and the till says so.
    if (accepted(m_board.till().deliver(index, deliveredBox->text().toInt()), index < 0 ? nullptr : deliveredBox))
        refresh(index);
}

void ProductsWindow::disarm()
{
    btn(ProductsButton::Remove)->setItalic(false);
}

QString ProductsWindow::reason(ProductFault fault) const
{
    const KeyedTexts& texts = this->texts();
    switch (fault) {
    case ProductFault::None: return {};
    case ProductFault::Malformed: return texts[KeyedText::ProductsMalformed];
    case ProductFault::Name: return texts[KeyedText::ProductsBadName];
    case ProductFault::Duplicate: return texts[KeyedText::ProductsDuplicate];
    case ProductFault::Price: return texts[KeyedText::ProductsBadPrice];
    case ProductFault::Stock:
    case ProductFault::Reorder: return texts[KeyedText::ProductsBadCount];
    case ProductFault::Code: return texts[KeyedText::ProductsBadCode];
    case ProductFault::CodeTaken: return texts[KeyedText::ProductsCodeTaken];
    case ProductFault::NoProduct: return texts[KeyedText::ProductsNoProduct];
    case ProductFault::NotCounted: return texts[KeyedText::ProductsNotCounted];
    case ProductFault::Quantity: return texts[KeyedText::ProductsBadQuantity];
    case ProductFault::Range: return texts[KeyedText::ProductsOutOfRange];
    case ProductFault::Foreign: return texts[KeyedText::ProductsNotAList];
    }
    return {};
}

bool ProductsWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::ControlModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            btnClick(key->key() == Qt::Key_Up ? ProductsButton::Up : ProductsButton::Down);
            return true;
        }
        // In a box Delete deletes a character; in the table it is the Remove caption's click.
        if (watched == table && modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete) {
            btnClick(ProductsButton::Remove);
            return true;
        }
        disarm();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched != btn(ProductsButton::Remove))
            disarm();
        // A click below the last product leaves none selected: the boxes are then for a new one.
        if (watched == table->viewport() && !table->indexAt(static_cast<QMouseEvent*>(event)->pos()).isValid()) {
            table->clearSelection();
            return true;
        }
        break;
    case QEvent::Leave:
        if (auto* button = qobject_cast<LabelButton*>(watched)) {
            button->setUnderline(false);
            if (button == btn(ProductsButton::Remove))
                disarm();
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void ProductsWindow::keyPressEvent(QKeyEvent* event)
{
    // The table and the boxes pass Enter and Escape on.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        btnClick(focusWidget() == deliveredBox ? ProductsButton::Delivered : ProductsButton::Save);
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProductsWindow::mousePressEvent(QMouseEvent* event)
{
    disarm();
    event->accept();
}

void ProductsWindow::changeEvent(QEvent* event)
{
    // A click in another window, the board's among them, takes the first click on Remove back too.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        disarm();
    QWidget::changeEvent(event);
}

void ProductsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_discarded = true;
    deleteLater();
    if (QWidget* owner = parentWidget())
        owner->activateWindow(); // the keyboard goes back to the board
}

} // namespace tallivor
