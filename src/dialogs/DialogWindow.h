#pragma once

#include "../ui/Layout.h"

#include <QWidget>

#include <array>

namespace tallivor {

class Form1;
class LabelButton;

// What the station editor and the settings dialog share: a small fixed tool window built from its layout table, shown
// without blocking the main window, opening centred, and discarded (with whatever was typed in it) when it closes.
class DialogWindow : public QWidget
{
    Q_OBJECT
public:
    DialogWindow(Form1& form, std::span<const ControlDesign> layout, int clientWidthTwips, int clientHeightTwips);

    const Controls& controls() const { return m_controls; }
    // True once the window has been closed: it is on its way out and no longer counts as existing.
    bool isDiscarded() const { return m_discarded; }
    // Shows the window without blocking; a window that is not on the screen yet opens centred.
    void showModeless();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The Save (0) and Cancel (1) label-buttons, with the hover feedback every label-button has.
    std::array<LabelButton*, 2> labelButtons();
    virtual void btnClick(int index) = 0;

    Form1& m_form;

private:
    Controls m_controls;
    bool m_discarded = false;
};

} // namespace tallivor
