#pragma once

#include "board/StationEdit.h"
#include "dialogs/DialogWindow.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"

#include <array>
#include <functional>
#include <optional>

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

// What the editor shows of a station it edits.
struct StationShown
{
    QString name;
    QString spent;
    std::optional<QString> price;
    std::optional<qint64> paid;
};
// Takes what Save hands on, whole: a box the operator left as the editor filled it is not handed on, and the station
// keeps what it has now of it, which may have moved on since (a running station's time). Says which box refused it.
using SaveStation = std::function<Refusal(const StationEdit& edit)>;

// The station editor: adds a station to the board (ISEDIT false) or edits one (ISEDIT true): its name, time spent,
// own price and paid time. The station commands open it for one job; Save hands all of it on as one change, refused
// whole with the box that caused it light yellow, and leaves the window open; Cancel closes it.
class EditDialog : public DialogWindow
{
    Q_OBJECT
public:
    explicit EditDialog(QWidget* owner);

    // Prepares the window for adding a station, with name pre-filled and the time at "00:00", and shows it.
    void openForAdd(const QString& name, const EditorCaptions& captions, SaveStation onSave);
    // Prepares the window for editing a station with what it has now, and shows it.
    void openForEdit(const StationShown& station, const EditorCaptions& captions, SaveStation onSave);
    // Takes the texts of a language: its labels and Cancel caption, and the names screen readers read.
    void relabel(const LanguageEntries& entries, const KeyedTexts& texts);

    bool ISEDIT = false;

    TextBox* const computerName;
    TextBox* const MIN_TEXT;
    TextBox* const Text1;
    TextBox* const SEC_TEXT;
    TextBox* const Time;
    Label* const frmcaption;
    Label* const computername_caption;
    Label* const time_caption;
    TextBox* const PRICE_TEXT;
    TextBox* const PAID_MIN_TEXT;
    TextBox* const PAID_SEC_TEXT;
    Label* const price_caption;
    Label* const paid_caption;

protected:
    void save() override;

private:
    void setCaptions(const EditorCaptions& captions);
    void nameForScreenReaders();
    // Remembers what the boxes were filled with, to tell what the operator changed.
    void rememberFilled();
    // The paid time the two boxes hold: none when both are empty; refused (a box marked) when only one is filled or
    // the seconds pass 59.
    std::optional<std::optional<qint64>> paidInBoxes();

    SaveStation m_onSave;
    std::array<QString, 5> m_filled; // minutes, seconds, price, paid minutes, paid seconds
};

} // namespace tallivor
