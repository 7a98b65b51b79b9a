#pragma once

#include "dialogs/DialogWindow.h"
#include "lang/LanguageFile.h"

#include <functional>

namespace tallivor {

class Label;
class TextBox;

// The texts the editor shows for one job (adding or editing): its window caption, its title and its Save caption.
struct EditorCaptions
{
    QString window;
    QString title;
    QString save;
};

// What the editor's Save hands on: the name and the time ("minutes:seconds"). False when they are refused: the name
// box then turns light yellow.
using SaveStation = std::function<bool(const QString& name, const QString& time)>;

// The station editor: adds a station to the board (ISEDIT false) or changes the name and time of one (ISEDIT true).
// The station commands open it for one job; Save hands the name and time on and leaves the window open, Cancel
// closes it.
class EditDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit EditDialog(QWidget* owner);

    // Prepares the window for adding a station, with name pre-filled and the time at "00:00", and shows it.
    void openForAdd(const QString& name, const EditorCaptions& captions, SaveStation onSave);
    // Prepares the window for editing a station with this name and time ("minutes:seconds"), and shows it.
    void openForEdit(const QString& name, const QString& time, const EditorCaptions& captions, SaveStation onSave);
    // Takes the texts of a language: its labels and Cancel caption, and the names screen readers read.
    void relabel(const LanguageEntries& entries);

    bool ISEDIT = false;

    TextBox* const computerName;
    TextBox* const MIN_TEXT;
    TextBox* const Text1;
    TextBox* const SEC_TEXT;
    TextBox* const Time;
    Label* const frmcaption;
    Label* const computername_caption;
    Label* const time_caption;

protected:
    void save() override;

private:
    void setCaptions(const EditorCaptions& captions);
    void nameForScreenReaders();

    SaveStation m_onSave;
};

} // namespace tallivor
