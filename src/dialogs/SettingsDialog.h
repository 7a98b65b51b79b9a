#pragma once

#include "dialogs/DialogWindow.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"

#include <functional>

namespace tallivor {

class FileList;
class Label;
class TextBox;

// What the settings dialog's Save hands on: the price and the language file. False when they are refused: the price
// box then turns light yellow.
using SaveSettings = std::function<bool(const QString& price, const QString& language)>;

// The settings dialog: the price per minute, and the language chosen by clicking through the program folder's
// language files (or pressing Space or Down in the language box). Save hands both on and closes; Cancel
// closes. Its Room settings caption asks its opener for the room's settings window.
class SettingsDialog : public DialogWindow
{
    Q_OBJECT
public:
    // The language files are those of the program folder.
    SettingsDialog(const QString& programFolder, QWidget* owner);

    // Shows the window with the price and the language file in force and the caption of its Save label-button.
    void open(const QString& price, const QString& language, const QString& saveCaption, SaveSettings onSave);
    // Takes the texts of a language: its labels, Cancel caption and currency unit, and the names screen readers read.
    void relabel(const LanguageEntries& entries);
    // And the keyed texts: the Room settings caption's.
    void relabel(const LanguageEntries& entries, const KeyedTexts& texts);

    FileList* const File1;
    TextBox* const VALUEUNIT;
    TextBox* const language_text;
    TextBox* const Value;
    Label* const Language_caption;
    Label* const Min_Value;
    Label* const frmcaption;
    LabelButton* const roomSettings;

signals:
    // The Room settings caption was clicked: the opener shows the room's settings window.
    void roomSettingsRequested();

protected:
    void save() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // F3 does what a click on the Room settings caption does, as it does on the board.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void nameForScreenReaders();
    void nextLanguage();
    void File1_Click();

    SaveSettings m_onSave;
};

} // namespace tallivor
