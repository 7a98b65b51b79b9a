#include "dialogs/EditDialog.h"

#include "rules/TimeText.h"
#include "ui/TextBox.h"

namespace tallivor {

EditDialog::EditDialog(QWidget* owner)
    : DialogWindow(*owner, editLayout(), 5025, 2340), computerName(controls().get<TextBox>("computerName")),
      MIN_TEXT(controls().get<TextBox>("MIN_TEXT")), Text1(controls().get<TextBox>("Text1")),
      SEC_TEXT(controls().get<TextBox>("SEC_TEXT")), Time(controls().get<TextBox>("Time")),
      frmcaption(controls().get<Label>("frmcaption")),
      computername_caption(controls().get<Label>("computername_caption")),
      time_caption(controls().get<Label>("time_caption"))
{
    setObjectName(QStringLiteral("edit"));
    setWindowTitle(QStringLiteral("Edit"));

    MIN_TEXT->setDigitsOnly();
    SEC_TEXT->setDigitsOnly();
    // Tab goes through the boxes that take input, as they stand from left to right.
    Text1->setFocusPolicy(Qt::NoFocus);
    Time->setFocusPolicy(Qt::NoFocus);
    setTabOrder(computerName, MIN_TEXT);
    setTabOrder(MIN_TEXT, SEC_TEXT);
    MIN_TEXT->setAccessibleDescription(QStringLiteral("minutes"));
    SEC_TEXT->setAccessibleDescription(QStringLiteral("seconds"));
    nameForScreenReaders();
    // Any change of a refused box's text, typed or set by the opener, makes it white again.
    for (TextBox* box : {computerName, MIN_TEXT, SEC_TEXT})
        connect(box, &QLineEdit::textChanged, box, [box] { box->setRefused(false); });
}

void EditDialog::openForAdd(const QString& name, const EditorCaptions& captions, SaveStation onSave)
{
    m_onSave = std::move(onSave);
    computerName->setText(name);
    ISEDIT = false;
    setCaptions(captions);
    MIN_TEXT->setText(QStringLiteral("00"));
    SEC_TEXT->setText(QStringLiteral("00"));
    Time->setText(QStringLiteral("00:00"));
    rememberFilled();
    showModeless(*computerName);
}

void EditDialog::openForEdit(const QString& name, const QString& time, const EditorCaptions& captions,
                             SaveStation onSave)
{
    m_onSave = std::move(onSave);
    computerName->setText(name);
    Time->setText(time);
    // A time without ":" goes whole into the minutes; the empty seconds then stop Save until they are typed.
    const TimeText pieces = splitTime(time);
    MIN_TEXT->setText(pieces.minutes.toString());
    SEC_TEXT->setText(pieces.seconds.toString());
    ISEDIT = true;
    setCaptions(captions);
    rememberFilled();
    showModeless(*computerName);
}

void EditDialog::rememberFilled()
{
    m_filledMinutes = MIN_TEXT->text();
    m_filledSeconds = SEC_TEXT->text();
}

void EditDialog::relabel(const LanguageEntries& entries)
{
    applyLanguage(controls(), TargetWindow::Edit, entries);
    nameForScreenReaders();
}

void EditDialog::nameForScreenReaders()
{
    computerName->setAccessibleName(nameFrom(*computername_caption));
    for (TextBox* box : {MIN_TEXT, Text1, SEC_TEXT})
        box->setAccessibleName(nameFrom(*time_caption));
}

void EditDialog::setCaptions(const EditorCaptions& captions)
{
    setWindowTitle(captions.window);
    frmcaption->setText(captions.title);
    btn[DialogButton::Save]->setText(captions.save);
}

void EditDialog::save()
{
    const QString minutes = MIN_TEXT->text();
    const QString seconds = SEC_TEXT->text();
    if (minutes.isEmpty() || seconds.isEmpty()) {
        // Nothing is saved without both; the empty box shows why.
        if (minutes.isEmpty())
            MIN_TEXT->setRefused(true);
        if (seconds.isEmpty())
            SEC_TEXT->setRefused(true);
        return;
    }
    Time->setText(joinTime(minutes, seconds));
    StationInput input{computerName->text(), {}};
    // A station added takes the time as typed; one edited keeps its live time unless the operator changed a box.
    if (!ISEDIT || minutes != m_filledMinutes || seconds != m_filledSeconds)
        input.time = Time->text();
    if (!m_onSave || !m_onSave(input)) {
        computerName->setRefused(true);
        return;
    }
    rememberFilled(); // what was just saved is what the station has: a second Save does not write it again
}

} // namespace tallivor
