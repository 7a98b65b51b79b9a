#include "dialogs/SettingsDialog.h"

#include "rules/Numbers.h"
#include "store/StationFile.h"
#include "ui/FileList.h"
#include "ui/Hover.h"
#include "ui/TextBox.h"

#include <QKeyEvent>

namespace tallivor {

SettingsDialog::SettingsDialog(const QString& programFolder, QWidget* owner)
    : DialogWindow(*owner, settingsLayout(), 4650, 2565), File1(controls().get<FileList>("File1")),
      VALUEUNIT(controls().get<TextBox>("VALUEUNIT")), language_text(controls().get<TextBox>("language_text")),
      Value(controls().get<TextBox>("Value")), Language_caption(controls().get<Label>("Language_caption")),
      Min_Value(controls().get<Label>("Min_Value")), frmcaption(controls().get<Label>("frmcaption")),
      roomSettings(controls().get<LabelButton>("roomSettings"))
{
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(QStringLiteral("Settings"));
    File1->setFocusPolicy(Qt::NoFocus); // it lies below what the operator sees

    // The list is read once, now: a language file added later shows after the dialog is opened anew.
    File1->setFolder(programFolder, QStringLiteral("xml"));
    connect(File1, &ListBox::listClick, this, &SettingsDialog::File1_Click);
    connect(language_text, &TextBox::clicked, this, &SettingsDialog::nextLanguage);

    Value->setPriceOnly();
    // Tab goes from the price to the language box, where Space or Down steps to the next language as a click does.
    VALUEUNIT->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Value, language_text);
    language_text->installEventFilter(this);
    VALUEUNIT->setAccessibleDescription(QStringLiteral("currency unit"));
    language_text->setAccessibleDescription(QStringLiteral("Space or Down: next language"));
    // The room's settings are a window of their own, opened by whoever opened this one; this dialog stays as it is.
    connect(roomSettings, &LabelButton::clicked, this, &SettingsDialog::roomSettingsRequested);
    connect(roomSettings, &LabelButton::pointerMoved, this,
            [this](int, float x, float y) { hoverLabelButton(*roomSettings, x, y, DisarmOnLeave::No); });
    roomSettings->addKeyName(QStringLiteral("F3"));
    nameForScreenReaders();
}

void SettingsDialog::open(const QString& price, const QString& language, const QString& saveCaption,
                          SaveSettings onSave)
{
    m_onSave = std::move(onSave);
    Value->setText(price);
    language_text->setText(language);
    // The language box steps on from the language in force, not from the first file.
    File1->setListIndex(int(File1->items().indexOf(language)));
    btn[DialogButton::Save]->setText(saveCaption);
    showModeless(*Value);
}

void SettingsDialog::relabel(const LanguageEntries& entries)
{
    applyLanguage(controls(), TargetWindow::Settings, entries);
    nameForScreenReaders();
}

void SettingsDialog::relabel(const LanguageEntries& entries, const KeyedTexts& texts)
{
    relabel(entries);
    roomSettings->setText(texts[KeyedText::RoomOpens]);
}

void SettingsDialog::nameForScreenReaders()
{
    for (QWidget* box : std::initializer_list<QWidget*>{Value, VALUEUNIT})
        box->setAccessibleName(nameFrom(*Min_Value));
    for (QWidget* box : std::initializer_list<QWidget*>{language_text, File1})
        box->setAccessibleName(nameFrom(*Language_caption));
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == language_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Down)) {
            nextLanguage();
            return true;
        }
    }
    return DialogWindow::eventFilter(watched, event);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F3 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit roomSettingsRequested();
        return;
    }
    DialogWindow::keyPressEvent(event);
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
    // A refused box stays light yellow until the dialog closes. A price needs a digit: "." alone is none.
    const QString price = Value->text();
    if (!hasLeadingNumber(price)) {
        Value->setRefused(true);
        return;
    }
    if (language_text->text().isEmpty()) {
        language_text->setRefused(true);
        return;
    }
    if (!m_onSave || !m_onSave(Value->text(), language_text->text())) {
        Value->setRefused(true); // a price from a station file edited by hand that the file cannot take back
        return;
    }
    close();
}

} // namespace tallivor
