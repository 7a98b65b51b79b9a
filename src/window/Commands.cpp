// The label-button commands of the main window: the openers of the dialogs and the report, the two-click confirmation
// of Reset and Remove, and the links.
#include "window/Form1.h"

#include "board/Board.h"
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
        edit()->openForAdd(Namelist->list(Namelist->listIndex()),
                           {languageText(LanguageVariable::AddFormcaption),
                            languageText(LanguageVariable::AddTitlecaption),
                            languageText(LanguageVariable::AddSavecaption)},
                           [this](const StationInput& input) { return addStation(input); });
        translate();
        break;
    case Button::Edit: {
        const int row = Namelist->listIndex();
        if (row < 0)
            return; // no station to edit
        // The editor stays with this station, whichever row is selected when Save is pressed; once the station is
        // removed, Save is refused.
        const StationId station = m_board.stationId(row);
        edit()->openForEdit({Namelist->list(row), timeList->list(row), m_board.ownPrice(row), m_board.paidTime(row)},
                            {languageText(LanguageVariable::EditFormcaption),
                             languageText(LanguageVariable::EditTitlecaption),
                             languageText(LanguageVariable::EditSavecaption)},
                            [this, station](const StationInput& input) {
                                const int at = m_board.rowOf(station);
                                if (at < 0 || !m_board.editStation(at, input.name, input.time))
                                    return false;
                                applyPaidFields(at, input);
                                return true;
                            });
        translate();
        break;
    }
    case Button::Settings:
        settings()->open(m_board.price(), m_board.languageStr(), languageText(LanguageVariable::AddSavecaption),
                         [this](const QString& price, const QString& language) {
                             return m_board.applySettings(price, language);
                         });
        translate();
        break;
    case Button::Report: report()->open(m_board.keyedTexts(), VALUEUNIT->text(), *this); break;
    case Button::Reset: confirmTwice(*btn[Button::Reset], [this] { m_board.resetStation(selectedRow()); }); break;
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
    applyLanguage(m_controls, TargetWindow::Form1, m_board.languageEntries());
    btn[Button::Report]->setText(m_board.keyedTexts()[KeyedText::Report]);
    if (m_report)
        m_report->retranslate(m_board.keyedTexts());
    if (hasEdit())
        m_edit->relabel(m_board.languageEntries(), m_board.keyedTexts());
    if (hasSettings())
        m_settings->relabel(m_board.languageEntries());
    nameForScreenReaders();
    for (ListBox* list : {Eventlist, Namelist, timeList, Rellist})
        list->viewport()->update(); // the words beside a paid station's row are the new language's
}

void Form1::applyPaidFields(int row, const StationInput& input)
{
    if (input.price)
        m_board.setOwnPrice(row, *input.price);
    if (input.paid)
        m_board.setPaidTime(row, *input.paid);
}

QString Form1::languageText(LanguageVariable variable) const
{
    return m_board.languageEntries()[std::size_t(entryOf(variable))].value_or(QString());
}

} // namespace tallivor
