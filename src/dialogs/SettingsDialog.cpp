#include "dialogs/SettingsDialog.h"

#include "board/Form1.h"
#include "store/StationFile.h"
#include "ui/FileList.h"
#include "ui/TextBox.h"

namespace tallivor {

SettingsDialog::SettingsDialog(Form1& form)
    : DialogWindow(form, settingsLayout(), 4650, 2565), File1(controls().get<FileList>("File1")),
      VALUEUNIT(controls().get<TextBox>("VALUEUNIT")), language_text(controls().get<TextBox>("language_text")),
      Value(controls().get<TextBox>("Value")), Language_caption(controls().get<Label>("Language_caption")),
      Min_Value(controls().get<Label>("Min_Value")), frmcaption(controls().get<Label>("frmcaption"))
{
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(QStringLiteral("Settings"));
    File1->setFocusPolicy(Qt::NoFocus); // it lies below what the operator sees

    // The list is read once, now: a language file added later shows after the dialog is opened anew.
    File1->setFolder(form.programFolder(), QStringLiteral("xml"));
    connect(File1, &ListBox::listClick, this, &SettingsDialog::File1_Click);
    connect(language_text, &TextBox::clicked, this, &SettingsDialog::nextLanguage);

    Value->setDigitsOnly();
    connect(Value, &QLineEdit::returnPressed, this, &SettingsDialog::save);
}

void SettingsDialog::open(const QString& price, const QString& language, const QString& saveCaption)
{
    Value->setText(price);
    language_text->setText(language);
    btn[DialogButton::Save]->setText(saveCaption);
    showModeless();
}

void SettingsDialog::nextLanguage()
{
    const int count = File1->listCount();
    if (count == 0)
        return;
    const int current = File1->listIndex();
    File1->setListIndex(current < count - 1 ? current + 1 : 0);
}

void SettingsDialog::File1_Click()
{
    // The station file shares the extension but is no language, and a name with a comma cannot be stored in the
    // station file's header: the click that reaches either changes nothing.
    const QString name = File1->list(File1->listIndex());
    if (name != QLatin1String(stationFileName) && fitsStationField(name))
        language_text->setText(name);
}

void SettingsDialog::save()
{
    // A refused box stays light yellow until the dialog closes.
    if (Value->text().isEmpty()) {
        Value->setRefused(true);
        return;
    }
    if (language_text->text().isEmpty()) {
        language_text->setRefused(true);
        return;
    }
    if (!m_form.applySettings(Value->text(), language_text->text())) {
        Value->setRefused(true); // a price from a station file edited by hand that the file cannot take back
        return;
    }
    close();
}

} // namespace tallivor
