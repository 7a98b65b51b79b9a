#include "dialogs/DialogWindow.h"

#include "board/Form1.h"
#include "ui/Hover.h"

#include <QCloseEvent>

namespace tallivor {

DialogWindow::DialogWindow(Form1& form, std::span<const ControlDesign> layout, int clientWidthTwips,
                           int clientHeightTwips)
    : QWidget(&form, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_controls(buildLayout(*this, layout)), btn(m_controls), m_form(form)
{
    setUpWindow(*this, clientWidthTwips, clientHeightTwips, QColor(dialogBackground));
    for (LabelButton* button : btn) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(DialogButton(index)); });
        connect(button, &LabelButton::pointerMoved, this,
                [button](int, float x, float y) { hoverLabelButton(*button, x, y, DisarmOnLeave::No); });
    }
}

void DialogWindow::btnClick(DialogButton button)
{
    switch (button) {
    case DialogButton::Save: save(); break;
    case DialogButton::Cancel: close(); break;
    }
}

void DialogWindow::showModeless()
{
    if (!isVisible()) {
        centreOnScreen(*this);
        show();
    }
    raise();
    activateWindow();
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_discarded = true;
    deleteLater();
}

} // namespace tallivor
