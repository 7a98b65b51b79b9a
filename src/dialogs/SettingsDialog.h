#pragma once

#include "dialogs/DialogWindow.h"

namespace tallivor {

class FileList;
class Label;
class TextBox;

// The settings dialog: the price per minute, and the language chosen by clicking through the program folder's
// language files (or pressing Space or Down in the language box). Save hands both to the board and closes; Cancel
// closes.
class SettingsDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit SettingsDialog(Form1& form);

    // Shows the window with the price and the language file in force and the caption of its Save label-button.
    void open(const QString& price, const QString& language, const QString& saveCaption);
    // Names the boxes after the captions in force, for screen readers.
    void nameForScreenReaders();

    FileList* const File1;
    TextBox* const VALUEUNIT;
    TextBox* const language_text;
    TextBox* const Value;
    Label* const Language_caption;
    Label* const Min_Value;
    Label* const frmcaption;

protected:
    void save() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nextLanguage();
    void File1_Click();
};

} // namespace tallivor
