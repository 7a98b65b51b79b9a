// The label-button commands of the main window: the openers of the dialogs and the report, the two-click confirmation
// of Reset and Remove, and the links.
#include "board/Form1.h"
#include "board/TimeText.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "report/ReportWindow.h"
#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/TextBox.h"

namespace tallivor {

namespace {

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

void Form1::btnClick(Button button)
{
    switch (button) {
    case Button::Add:
        edit()->openForAdd(Namelist->list(Namelist->listIndex()), {AddFormcaption, AddTitlecaption, AddSavecaption});
        translate();
        break;
    case Button::Edit: {
        const int row = Namelist->listIndex();
        if (row < 0)
            return; // no station to edit
        edit()->openForEdit(Namelist->list(row), timeList->list(timeList->listIndex()),
                            {EditFormcaption, EditTitlecaption, EditSavecaption});
        translate();
        break;
    }
    case Button::Settings:
        settings()->open(REL->text(), languageStr, AddSavecaption);
        translate();
        break;
    case Button::Report: report()->open(m_keyedTexts, VALUEUNIT->text()); break;
    case Button::Reset: confirmTwice(*btn[Button::Reset], [this] { resetSelectedStation(); }); break;
    case Button::Remove: confirmTwice(*btn[Button::Remove], [this] { removeSelectedStation(); }); break;
    case Button::Address:
    case Button::Update:
        m_platform.shellExecute(this, QStringLiteral("Open"), QString::fromLatin1(makerAddress), QStringLiteral(""),
                                m_folder, swShowNormal);
        break;
    case Button::StateCaption:
    case Button::NameCaption:
    case Button::TimeCaption:
    case Button::BlankCaption:
    case Button::ChargeCaption:
    case Button::Credit: break; // captions without an action
    }
}

} // namespace tallivor
