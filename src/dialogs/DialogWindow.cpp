#include "DialogWindow.h"

#include "../board/Form1.h"
#include "../ui/Hover.h"
#include "../ui/LabelButton.h"

#include <QCloseEvent>

namespace tallivor {

DialogWindow::DialogWindow(Form1& form, std::span<const ControlDesign> layout, int clientWidthTwips,
                           int clientHeightTwips)
    : QWidget(&form, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_form(form), m_controls(buildLayout(*this, layout))
{
    setUpWindow(*this, clientWidthTwips, clientHeightTwips, QColor(dialogBackground));
}

std::array<LabelButton*, 2> DialogWindow::labelButtons()
{
    std::array<LabelButton*, 2> buttons{m_controls.get<LabelButton>("btn", 0), m_controls.get<LabelButton>("btn", 1)};
    for (LabelButton* button : buttons) {
        connect(button, &LabelButton::clicked, this, [this](int index) { btnClick(index); });
        connect(button, &LabelButton::pointerMoved, this,
                [button](int, float x, float y) { hoverLabelButton(*button, x, y, DisarmOnLeave::No); });
    }
    return buttons;
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
