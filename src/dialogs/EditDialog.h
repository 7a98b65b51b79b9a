#pragma once

#include "dialogs/DialogWindow.h"

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

// The station editor: adds a station to the board (ISEDIT false) or changes the name and time of the selected one
// (ISEDIT true). The station commands open it for one job; Save hands the name and time to the board and leaves the
// window open, Cancel closes it.
class EditDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit EditDialog(Form1& form);

    // Prepares the window for adding a station, with name pre-filled and the time at "00:00", and shows it.
    void openForAdd(const QString& name, const EditorCaptions& captions);
    // Prepares the window for editing a station with this name and time ("minutes:seconds"), and shows it.
    void openForEdit(const QString& name, const QString& time, const EditorCaptions& captions);
    // Names the boxes after the captions in force, for screen readers.
    void nameForScreenReaders();

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
};

} // namespace tallivor
