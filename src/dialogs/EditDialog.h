#pragma once

#include "DialogWindow.h"

namespace tallivor {

class Label;
class TextBox;

// The station editor: adds a station to the board (ISEDIT false) or changes the name and time of the selected one
// (ISEDIT true). The station commands fill it and show it; Save writes straight into the board and leaves the
// window open, Cancel closes it.
class EditDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit EditDialog(Form1& form);

    bool ISEDIT = false;

    TextBox* const computerName;
    TextBox* const MIN_TEXT;
    TextBox* const Text1;
    TextBox* const SEC_TEXT;
    TextBox* const Time;
    Label* const frmcaption;
    Label* const computername_caption;
    Label* const time_caption;
    const std::array<LabelButton*, 2> btn;

    // The label-buttons: 0 is Save, 1 is Cancel.
    void btnClick(int index) override;

private:
    void save();
    // Shows a box's text as refused: light yellow until its text changes.
    static void refuse(TextBox* box);
};

} // namespace tallivor
