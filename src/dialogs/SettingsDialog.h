#pragma once

#include "DialogWindow.h"

namespace tallivor {

class FileList;
class Label;
class TextBox;

// The settings dialog: the price per minute, and the language chosen by clicking through the program folder's
// language files. Save hands both to the main window and closes; Cancel closes.
class SettingsDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit SettingsDialog(Form1& form);

    FileList* const File1;
    TextBox* const VALUEUNIT;
    TextBox* const language_text;
    TextBox* const Value;
    Label* const Language_caption;
    Label* const Min_Value;
    Label* const frmcaption;
    const std::array<LabelButton*, 2> btn;

    // The label-buttons: 0 is Save, 1 is Cancel.
    void btnClick(int index) override;

private:
    void nextLanguage();
    void File1_Click();
    void save();
};

} // namespace tallivor
