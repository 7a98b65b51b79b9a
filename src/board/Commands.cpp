// The label-button commands of the main window.
#include "Form1.h"

#include "../dialogs/EditDialog.h"
#include "../dialogs/SettingsDialog.h"
#include "../ui/LabelButton.h"
#include "../ui/ListBox.h"
#include "../ui/Platform.h"
#include "../ui/TextBox.h"

namespace tallivor {

namespace {

enum Command
{
    Add = 0,
    Remove = 1,
    Settings = 2,
    Edit = 3,
    Reset = 4,
    Address = 11,
    Update = 12,
};

// The first click arms the label (italic) and does nothing else; a second click on the still-armed label acts and
// disarms it. Moving the pointer off the label disarms it too (hover feedback), so a stray click never acts alone.
template <typename Action>
void confirmTwice(LabelButton& button, Action action)
{
    if (!button.italic()) {
        button.setItalic(true);
        return;
    }
    action();
    button.setItalic(false);
}

} // namespace

void Form1::btnClick(int index)
{
    switch (index) {
    case Add: {
        EditDialog& dialog = *edit();
        dialog.computerName->setText(Namelist->list(Namelist->listIndex()));
        dialog.ISEDIT = false;
        dialog.setWindowTitle(AddFormcaption);
        dialog.frmcaption->setText(AddTitlecaption);
        dialog.MIN_TEXT->setText(QStringLiteral("00"));
        dialog.SEC_TEXT->setText(QStringLiteral("00"));
        dialog.Time->setText(QStringLiteral("00:00"));
        dialog.btn[0]->setText(AddSavecaption);
        dialog.showModeless();
        translate();
        break;
    }
    case Edit: {
        const int row = Namelist->listIndex();
        if (row < 0)
            return; // no station to edit
        EditDialog& dialog = *edit();
        dialog.computerName->setText(Namelist->list(row));
        dialog.Time->setText(timeList->list(timeList->listIndex()));
        // A time without ":" goes whole into the minutes; the empty seconds then stop Save until they are typed.
        const QString time = dialog.Time->text();
        const qsizetype colon = time.indexOf(QLatin1Char(':'));
        const qsizetype secondsEnd = colon < 0 ? -1 : time.indexOf(QLatin1Char(':'), colon + 1);
        dialog.MIN_TEXT->setText(colon < 0 ? time : time.left(colon));
        dialog.SEC_TEXT->setText(colon < 0 ? QString()
                                           : time.mid(colon + 1, secondsEnd < 0 ? -1 : secondsEnd - colon - 1));
        dialog.ISEDIT = true;
        dialog.setWindowTitle(EditFormcaption);
        dialog.frmcaption->setText(EditTitlecaption);
        dialog.btn[0]->setText(EditSavecaption);
        dialog.showModeless();
        translate();
        break;
    }
    case Settings: {
        SettingsDialog& dialog = *settings();
        dialog.Value->setText(REL->text());
        dialog.language_text->setText(languageStr);
        dialog.btn[0]->setText(AddSavecaption);
        dialog.showModeless();
        translate();
        break;
    }
    case Reset: confirmTwice(*btn[Reset], [this] { reset(); }); break;
    case Remove: confirmTwice(*btn[Remove], [this] { remove(); }); break;
    case Address:
    case Update:
        m_platform.shellExecute(this, QStringLiteral("Open"), QString::fromLatin1(makerAddress), QStringLiteral(""),
                                m_folder, swShowNormal);
        break;
    default: break; // column captions and the credit label
    }
}

void Form1::reset()
{
    if (timeList->listIndex() < 0 || Rellist->listIndex() < 0)
        return;
    timeList->setList(timeList->listIndex(), QStringLiteral("00:00"));
    Rellist->setList(Rellist->listIndex(), QStringLiteral("00"));
}

void Form1::remove()
{
    const std::array<ListBox*, 4> lists{Eventlist, Namelist, timeList, Rellist};
    // Remove only a row that all four lists agree on: a partial removal would shift one column against the others.
    for (ListBox* list : lists) {
        if (list->listIndex() < 0 || list->listIndex() != Namelist->listIndex())
            return;
    }
    for (ListBox* list : lists)
        list->removeItem(list->listIndex());
}

} // namespace tallivor
