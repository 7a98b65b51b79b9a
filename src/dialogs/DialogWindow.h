#pragma once

#include "ui/LabelButton.h"
#include "ui/Layout.h"

#include <QWidget>

namespace tallivor {

class TextBox;

// The label-buttons of a dialog, by their place in its btn array.
enum class DialogButton
{
    Save,
    Cancel,
};

// The caption of Save or Cancel in a language: the entries that caption the station editor's and the settings
// dialog's, so that every dialog says them alike; English where no file set them.
QString buttonCaption(const LanguageEntries& entries, DialogButton button);

// What the station editor and the settings dialog share: a small fixed tool window built from its layout table, shown
// without blocking the main window, opening beside it, and discarded (with whatever was typed in it) when it closes.
// Its Save label-button runs the dialog's save(), Cancel closes it; Enter in any box saves, Escape cancels. A dialog is
// handed what it shows and what to call on Save by its opener, and knows nothing of the window that opened it.
class DialogWindow : public QWidget
{
    Q_OBJECT

    Controls m_controls; // built first: the control pointers below are taken from it

public:
    DialogWindow(QWidget& owner, std::span<const ControlDesign> layout, int clientWidthTwips, int clientHeightTwips);

    const Controls& controls() const { return m_controls; }
    // True once the window has been closed: it is on its way out and no longer counts as existing.
    bool isDiscarded() const { return m_discarded; }
    // Shows the window without blocking, with the keyboard in its first box and that box's text selected, so that
    // typing replaces it; a window that is not on the screen yet opens beside the board, wholly on its screen.
    void showModeless(TextBox& first);
    // A click on a label-button: Save saves, Cancel closes the window.
    void btnClick(DialogButton button);

    const LabelButtons<DialogButton, 2> btn;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A caption as the name of the box it stands over, for screen readers: without its closing colon.
    static QString nameFrom(const Label& caption);
    // Hands the dialog's input to its opener, or shows which box refused it.
    virtual void save() = 0;

private:
    bool m_discarded = false;
};

} // namespace tallivor
