#include "dialogs/EditDialog.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"
#include "ui/TextBox.h"

namespace tallivor {

EditDialog::EditDialog(QWidget* owner)
    : DialogWindow(*owner, editLayout(), 5025, 3300), computerName(controls().get<TextBox>("computerName")),
      MIN_TEXT(controls().get<TextBox>("MIN_TEXT")), Text1(controls().get<TextBox>("Text1")),
      SEC_TEXT(controls().get<TextBox>("SEC_TEXT")), Time(controls().get<TextBox>("Time")),
      frmcaption(controls().get<Label>("frmcaption")),
      computername_caption(controls().get<Label>("computername_caption")),
      time_caption(controls().get<Label>("time_caption")), PRICE_TEXT(controls().get<TextBox>("PRICE_TEXT")),
      PAID_MIN_TEXT(controls().get<TextBox>("PAID_MIN_TEXT")), PAID_SEC_TEXT(controls().get<TextBox>("PAID_SEC_TEXT")),
      price_caption(controls().get<Label>("price_caption")), paid_caption(controls().get<Label>("paid_caption"))
{
    setObjectName(QStringLiteral("edit"));
    setWindowTitle(QStringLiteral("Edit"));

    for (TextBox* box : {MIN_TEXT, SEC_TEXT, PAID_MIN_TEXT, PAID_SEC_TEXT})
        box->setDigitsOnly();
    PRICE_TEXT->setPriceOnly();
    // Tab goes through the boxes that take input (the colons are disabled, the time box hidden), as they stand from
    // left to right and top to bottom.
    setTabOrder(computerName, MIN_TEXT);
    setTabOrder(MIN_TEXT, SEC_TEXT);
    setTabOrder(SEC_TEXT, PRICE_TEXT);
    setTabOrder(PRICE_TEXT, PAID_MIN_TEXT);
    setTabOrder(PAID_MIN_TEXT, PAID_SEC_TEXT);
    for (TextBox* box : {MIN_TEXT, PAID_MIN_TEXT})
        box->setAccessibleDescription(QStringLiteral("minutes"));
    for (TextBox* box : {SEC_TEXT, PAID_SEC_TEXT})
        box->setAccessibleDescription(QStringLiteral("seconds"));
    relabel({}, KeyedTexts());
    // Any change of a refused box's text, typed or set by the opener, makes it white again.
    for (TextBox* box : {computerName, MIN_TEXT, SEC_TEXT, PRICE_TEXT, PAID_MIN_TEXT, PAID_SEC_TEXT})
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
    for (TextBox* box : {PRICE_TEXT, PAID_MIN_TEXT, PAID_SEC_TEXT})
        box->clear();
    rememberFilled();
    showModeless(*computerName);
}

void EditDialog::openForEdit(const StationShown& station, const EditorCaptions& captions, SaveStation onSave)
{
    m_onSave = std::move(onSave);
    computerName->setText(station.name);
    Time->setText(station.spent);
    PRICE_TEXT->setText(station.price.value_or(QString()));
    PAID_MIN_TEXT->setText(station.paid ? QString::number(*station.paid / 60) : QString());
    PAID_SEC_TEXT->setText(station.paid ? QString::number(*station.paid % 60) : QString());
    // A time without ":" goes whole into the minutes; the empty seconds then stop Save until they are typed.
    const TimeText pieces = splitTime(station.spent);
    MIN_TEXT->setText(pieces.minutes.toString());
    SEC_TEXT->setText(pieces.seconds.toString());
    ISEDIT = true;
    setCaptions(captions);
    rememberFilled();
    showModeless(*computerName);
}

void EditDialog::rememberFilled()
{
    m_filled = {MIN_TEXT->text(), SEC_TEXT->text(), PRICE_TEXT->text(), PAID_MIN_TEXT->text(), PAID_SEC_TEXT->text()};
}

void EditDialog::relabel(const LanguageEntries& entries, const KeyedTexts& texts)
{
    applyLanguage(controls(), TargetWindow::Edit, entries);
    price_caption->setText(texts[KeyedText::EditPrice]);
    paid_caption->setText(texts[KeyedText::EditPaid]);
    nameForScreenReaders();
}

std::optional<std::optional<qint64>> EditDialog::paidInBoxes()
{
    const QString minutes = PAID_MIN_TEXT->text(), seconds = PAID_SEC_TEXT->text();
    if (minutes.isEmpty() && seconds.isEmpty())
        return std::optional<qint64>(); // no paid time: an open session
    const std::optional<qint64> paid = paidSecondsOf(QString(minutes + QLatin1Char(':') + seconds));
    if (!paid) {
        (minutes.isEmpty() ? PAID_MIN_TEXT : PAID_SEC_TEXT)->setRefused(true);
        return std::nullopt;
    }
    return paid;
}

void EditDialog::nameForScreenReaders()
{
    computerName->setAccessibleName(nameFrom(*computername_caption));
    for (TextBox* box : {MIN_TEXT, Text1, SEC_TEXT})
        box->setAccessibleName(nameFrom(*time_caption));
    PRICE_TEXT->setAccessibleName(nameFrom(*price_caption));
    for (TextBox* box : {PAID_MIN_TEXT, PAID_SEC_TEXT})
        box->setAccessibleName(nameFrom(*paid_caption));
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
    const QString price = PRICE_TEXT->text();
    if (!price.isEmpty() && !hasLeadingNumber(price)) {
        PRICE_TEXT->setRefused(true); // "." alone is no price
        return;
    }
    const std::optional<std::optional<qint64>> paid = paidInBoxes();
    if (!paid)
        return;
    Time->setText(joinTime(minutes, seconds));
    StationEdit edit{computerName->text(), {}, {}, {}};
    // A station added takes every box as typed; one edited keeps what it has now (its live time above all) of every
    // box the operator left as it was filled.
    if (!ISEDIT || minutes != m_filled[0] || seconds != m_filled[1])
        edit.spent = Time->text();
    if (!ISEDIT || price != m_filled[2])
        edit.price = price.isEmpty() ? std::nullopt : std::optional<QString>(price);
    if (!ISEDIT || PAID_MIN_TEXT->text() != m_filled[3] || PAID_SEC_TEXT->text() != m_filled[4])
        edit.paid = *paid;
    const Refusal refused = m_onSave ? m_onSave(edit) : Refusal::Name;
    switch (refused) {
    case Refusal::None: break;
    case Refusal::Name: computerName->setRefused(true); return;
    case Refusal::Spent: MIN_TEXT->setRefused(true); return;
    case Refusal::Price: PRICE_TEXT->setRefused(true); return;
    }
    rememberFilled(); // what was just saved is what the station has: a second Save does not write it again
}

} // namespace tallivor
