#include "ui/LabelButton.h"

#include "ui/Twips.h"

#include <QMouseEvent>

namespace tallivor {

Label::Label(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void Label::setUnderline(bool on)
{
    if (font().underline() == on)
        return;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void Label::setItalic(bool on)
{
    if (font().italic() == on)
        return;
    QFont f = font();
    f.setItalic(on);
    setFont(f);
}

LabelButton::LabelButton(int index, QWidget* parent) : Label(parent), m_index(index)
{
    setMouseTracking(true);
}

void LabelButton::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked(m_index);
}

void LabelButton::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double-click is not a second click: a quick double-click on "Remove Computer" arms the
    // label once instead of removing the station.
    m_pressed = false;
}

void LabelButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit pointerMoved(m_index, float(toTwips(pos.x())), float(toTwips(pos.y())));
}

} // namespace tallivor
