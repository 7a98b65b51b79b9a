#include "ui/TextBox.h"

#include "rules/Numbers.h"
#include "ui/Layout.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <limits>
#include <utility>

namespace tallivor {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit cuts every text, also one set by the program, at its maximum length; the typed limit is ours.
    setMaxLength(std::numeric_limits<int>::max());
    setAttribute(Qt::WA_NoMousePropagation);
    // A drop would insert text past every rule of the box.
    setAcceptDrops(false);
    setBackColor(Qt::white);
}

void TextBox::setDigitsOnly()
{
    m_accepts = Accepts::Digits;
    // An input method composes text outside the key presses; digits need none.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void TextBox::setPriceOnly()
{
    setDigitsOnly();
    m_accepts = Accepts::Price;
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
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

std::optional<QString> TextBox::cleanInput(const QString& text) const
{
    if (m_accepts == Accepts::Price) {
        // The mark already in the box counts only outside the selection, which the input replaces.
        const QString kept = this->text().remove(selectionStart() < 0 ? 0 : selectionStart(), selectedText().size());
        return priceBoxInput(text, kept.contains(u'.'));
    }
    QString clean;
    clean.reserve(text.size());
    bool gap = false;
    for (const QChar c : text) {
        if (m_accepts == Accepts::Digits) {
            if (c >= u'0' && c <= u'9')
                clean.append(c);
        } else if (c.category() == QChar::Other_Control) {
            gap = !clean.isEmpty();
        } else {
            if (gap)
                clean.append(QLatin1Char(' '));
            gap = false;
            clean.append(c);
        }
    }
    return clean;
}

void TextBox::insertTyped(const QString& text)
{
    const std::optional<QString> clean = cleanInput(text);
    if (!clean) {
        setRefused(true);
        return;
    }
    QString accepted = *clean;
    if (m_maxTyped > 0)
        accepted.truncate(std::max<qsizetype>(0, m_maxTyped - (this->text().size() - selectedText().size())));
    if (!accepted.isEmpty())
        insert(accepted);
}

void TextBox::pasteCleaned(QClipboard::Mode mode)
{
    if (!isReadOnly())
        insertTyped(QGuiApplication::clipboard()->text(mode));
}

// A key whose text is empty or only control characters (Backspace, Delete, whose text is 0x7F on Windows, Enter, the
// arrows) or a Ctrl shortcut edits the box; any other key types its text.
static bool isEditingKey(const QKeyEvent* event)
{
    const QString text = event->text();
    const auto all = [&text](auto test) { return std::all_of(text.begin(), text.end(), test); };
    if (all([](QChar c) { return c.category() == QChar::Other_Control; }))
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shortcut = modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    return shortcut && all([](QChar c) { return c.category() != QChar::Other_Format; });
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) { // Ctrl+V, Shift+Insert
        pasteCleaned(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (isEditingKey(event) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    insertTyped(event->text());
    event->accept();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_doubleClicked = true;
    QLineEdit::mouseDoubleClickEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool secondOfDouble = std::exchange(m_doubleClicked, false);
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteCleaned(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !secondOfDouble && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste goes through the same cleaning as every other paste; without one to take over, no menu. Qt
    // names the action by its caption alone, "&Paste" in the program's language, with the shortcut after a tab.
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste");
    });
    if (paste == actions.end()) {
        delete menu;
        return;
    }
    disconnect(*paste, &QAction::triggered, nullptr, nullptr);
    connect(*paste, &QAction::triggered, this, [this] { pasteCleaned(QClipboard::Clipboard); });
    menu->popup(event->globalPos());
}

} // namespace tallivor
