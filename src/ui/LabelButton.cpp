#include "ui/LabelButton.h"

#include "ui/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace tallivor {
namespace {

// What a screen reader makes of a label-button: a button named by its caption, which it can press and which tells
// its keys. The italic style, the armed state of Reset and Remove, is read in the description.
class AccessibleLabelButton : public QAccessibleWidget
{
public:
    explicit AccessibleLabelButton(LabelButton* button) : QAccessibleWidget(button) {}

    QAccessible::Role role() const override
    {
        return button()->isCommand() ? QAccessible::Button : QAccessible::StaticText;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || button()->text().isEmpty(); // an empty caption shows nothing
        return state;
    }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? button()->text() : widget()->accessibleName();
        case QAccessible::Description:
            return button()->italic() ? QStringLiteral("Armed: press it again to confirm, anything else cancels")
                                      : widget()->accessibleDescription();
        case QAccessible::Accelerator: return button()->keyNames().join(QLatin1String(", "));
        default: return QAccessibleWidget::text(t);
        }
    }
    QStringList actionNames() const override
    {
        return button()->isCommand() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && button()->isCommand())
            button()->click();
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        return name == pressAction() ? button()->keyNames() : QStringList{};
    }

private:
    LabelButton* button() const { return static_cast<LabelButton*>(widget()); }
};

QAccessibleInterface* accessibleLabelButton(const QString&, QObject* object)
{
    auto* button = qobject_cast<LabelButton*>(object);
    return button ? new AccessibleLabelButton(button) : nullptr;
}

} // namespace

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
    // A label-button's italic style is its armed state, which screen readers read in its description.
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

LabelButton::LabelButton(int index, QWidget* parent) : Label(parent), m_index(index)
{
    setMouseTracking(true);
    static const bool accessible = (QAccessible::installFactory(&accessibleLabelButton), true);
    Q_UNUSED(accessible)
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
