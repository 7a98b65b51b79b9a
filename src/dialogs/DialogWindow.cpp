#include "dialogs/DialogWindow.h"

#include "ui/Hover.h"
#include "ui/TextBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>

namespace tallivor {

DialogWindow::DialogWindow(QWidget& owner, std::span<const ControlDesign> layout, int clientWidthTwips,
                           int clientHeightTwips)
    : QWidget(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_controls(buildLayout(*this, layout)), btn(m_controls)
{
    setUpWindow(*this, clientWidthTwips, clientHeightTwips, QColor(dialogBackground));
    for (LabelButton* button : btn) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(DialogButton(index)); });
        connect(button, &LabelButton::pointerMoved, this,
                [button](int, float x, float y) { hoverLabelButton(*button, x, y, DisarmOnLeave::No); });
    }
    btn[DialogButton::Save]->addKeyName(QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText));
    btn[DialogButton::Cancel]->addKeyName(QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText));
}

QString buttonCaption(const LanguageEntries& entries, DialogButton button)
{
    // Entry 11 is the editor's Save when it adds, entry 12 the Cancel of both dialogs (see lang/Entries.cpp).
    const bool save = button == DialogButton::Save;
    const std::optional<QString>& entry = entries[save ? 11 : 12];
    return entry ? *entry : save ? QStringLiteral("Save") : QStringLiteral("Cancel");
}

void DialogWindow::btnClick(DialogButton button)
{
    switch (button) {
    case DialogButton::Save: save(); break;
    case DialogButton::Cancel: close(); break;
    }
}

void DialogWindow::showModeless(TextBox& first)
{
    if (!isVisible()) {
        if (const QWidget* board = parentWidget())
            placeBeside(*this, *board);
        show();
    }
    raise();
    activateWindow();
    first.setFocus(Qt::OtherFocusReason);
    first.selectAll();
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_discarded = true;
    deleteLater();
    if (QWidget* owner = parentWidget())
        owner->activateWindow(); // the keyboard goes back to the board
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    // The boxes pass Enter and Escape on: Enter saves from any box and is never typed into one.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        btnClick(DialogButton::Save);
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        btnClick(DialogButton::Cancel);
        return;
    }
    QWidget::keyPressEvent(event);
}

QString DialogWindow::nameFrom(const Label& caption)
{
    QString name = caption.text().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace tallivor
