#include "ui/TextBox.h"

#include "ui/Layout.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <limits>

namespace tallivor {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit cuts every text, also one set by the program, at its maximum length; the typed limit is ours.
    setMaxLength(std::numeric_limits<int>::max());
    setAttribute(Qt::WA_NoMousePropagation);
    setBackColor(Qt::white);
}

void TextBox::setDigitsOnly()
{
    m_digitsOnly = true;
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_digitsOnly && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

QColor TextBox::backColor() const
{
    return palette().color(QPalette::Base);
}

void TextBox::setBackColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TextBox::setRefused(bool refused)
{
    setBackColor(QColor(refused ? refusedBackground : normalBackground));
}

// The character code a key press types, or -1 when it types none (arrows, Delete, Home and the like).
static int typedCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: break;
    }
    const QString text = event->text();
    return text.isEmpty() ? -1 : int(text.at(0).unicode());
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const int code = typedCode(event);
    if (code < 0 || code == 8 || code == 13) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (m_digitsOnly && (code < '0' || code > '9')) {
        event->accept();
        return;
    }
    const bool printable = code >= 32;
    if (printable && m_maxTyped > 0 && text().size() - selectedText().size() + event->text().size() > m_maxTyped) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tallivor
