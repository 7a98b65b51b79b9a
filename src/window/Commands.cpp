// The label-button commands of the main window: the openers of the dialogs and the report, the two-click confirmation
// of Reset and Remove, and the links.
#include "window/Form1.h"

#include "board/Board.h"
#include "dialogs/BillWindow.h"
#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "report/ReportWindow.h"
#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/TextBox.h"

namespace tallivor {

void Form1::btnClick(Button button)
{
    const Language& language = m_board.language();
    switch (button) {
    case Button::Add:
        edit()->openForAdd(Namelist->list(Namelist->listIndex()),
                           {language.text(LanguageVariable::AddFormcaption),
                            language.text(LanguageVariable::AddTitlecaption),
                            language.text(LanguageVariable::AddSavecaption)},
                           [this](const StationEdit& edit) { return addStation(edit); });
        translate();
        break;
    case Button::Edit: {
        const int row = Namelist->listIndex();
        if (row < 0)
            return; // no station to edit
        // The editor stays with this station, whichever row is selected when Save is pressed; once the station is
        // removed, Save is refused.
        const StationId station = m_board.table().idOf(row);
        const StationRecord& record = m_board.table()[row].record;
        edit()->openForEdit({Namelist->list(row), timeList->list(row), record.price, record.paid},
                            {language.text(LanguageVariable::EditFormcaption),
                             language.text(LanguageVariable::EditTitlecaption),
                             language.text(LanguageVariable::EditSavecaption)},
                            [this, station](const StationEdit& edit) {
                                return m_board.editStation(m_board.table().rowOf(station), edit);
                            });
        translate();
        break;
    }
    case Button::Settings:
        settings()->open(
            m_board.price(), language.file(), language.text(LanguageVariable::AddSavecaption),
            [this](const QString& price, const QString& language) { return m_board.applySettings(price, language); });
        translate();
        break;
    case Button::Report: report()->open(language.texts(), VALUEUNIT->text(), *this); break;
    case Button::Reset: confirmTwice(*btn[Button::Reset], [this] { m_board.billStation(selectedRow()); }); break;
    case Button::Remove: confirmTwice(*btn[Button::Remove], [this] { m_board.removeStation(selectedRow()); }); break;
    case Button::Address:
    case Button::Update:
        m_platform.shellExecute(this, QStringLiteral("Open"), QString::fromLatin1(makerAddress), QStringLiteral(""),
                                m_board.programFolder(), swShowNormal);
        break;
    case Button::StateCaption:
    case Button::NameCaption:
    case Button::TimeCaption:
    case Button::BlankCaption:
    case Button::ChargeCaption:
    case Button::Credit: break; // captions without an action
    }
}

// The language.

void Form1::translate()
{
    m_board.translate(); // re-labels the windows through relabel() when it applied anything
}

void Form1::relabel()
{
    const Language& language = m_board.language();
    applyLanguage(m_controls, TargetWindow::Form1, language.entries());
    btn[Button::Report]->setText(language.texts()[KeyedText::Report]);
    if (m_report)
        m_report->retranslate(language.texts());
    if (hasEdit())
        m_edit->relabel(language.entries(), language.texts());
    if (hasSettings())
        m_settings->relabel(language.entries(), language.texts());
    if (m_bill)
        m_bill->relabel(language.texts());
    nameForScreenReaders();
    for (ListBox* list : {Eventlist, Namelist, timeList, Rellist})
        list->viewport()->update(); // the words beside a paid station's row are the new language's
}

} // namespace tallivor
