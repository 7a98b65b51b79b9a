#include "EditDialog.h"

#include "../board/Form1.h"
#include "../ui/LabelButton.h"
#include "../ui/ListBox.h"
#include "../ui/ScrollBar.h"
#include "../ui/TextBox.h"

#include <limits>

namespace tallivor {

namespace {

bool isDigitOrBackspace(int code)
{
    return (code >= '0' && code <= '9') || code == 8;
}

// The station file separates fields by "," and cannot carry one inside a name.
bool fitsStationFile(const QString& name)
{
    return !name.contains(QLatin1Char(','));
}

} // namespace

EditDialog::EditDialog(Form1& form)
    : DialogWindow(form, editLayout(), 5025, 2340), computerName(controls().get<TextBox>("computerName")),
      MIN_TEXT(controls().get<TextBox>("MIN_TEXT")), Text1(controls().get<TextBox>("Text1")),
      SEC_TEXT(controls().get<TextBox>("SEC_TEXT")), Time(controls().get<TextBox>("Time")),
      frmcaption(controls().get<Label>("frmcaption")),
      computername_caption(controls().get<Label>("computername_caption")),
      time_caption(controls().get<Label>("time_caption")), btn(labelButtons())
{
    setObjectName(QStringLiteral("edit"));
    setWindowTitle(QStringLiteral("Edit"));

    computerName->setKeyHook([this](int code) {
        if (code != 13)
            return true;
        btnClick(0); // Enter saves
        return false;
    });
    MIN_TEXT->setKeyHook(isDigitOrBackspace);
    SEC_TEXT->setKeyHook(isDigitOrBackspace);
    // Any change of a refused box's text, typed or set by the opener, makes it white again.
    for (TextBox* box : {computerName, MIN_TEXT, SEC_TEXT})
        connect(box, &QLineEdit::textChanged, box, [box] { box->setBackColor(QColor(normalBackground)); });
}

void EditDialog::btnClick(int index)
{
    if (index == 0)
        save();
    else if (index == 1)
        close();
}

void EditDialog::refuse(TextBox* box)
{
    box->setBackColor(QColor(refusedBackground));
}

void EditDialog::save()
{
    const QString minutes = MIN_TEXT->text();
    const QString seconds = SEC_TEXT->text();
    if (minutes.isEmpty() || seconds.isEmpty()) {
        // Nothing is saved without both; the empty box shows why.
        if (minutes.isEmpty())
            refuse(MIN_TEXT);
        if (seconds.isEmpty())
            refuse(SEC_TEXT);
        return;
    }
    Time->setText(minutes + QLatin1Char(':') + seconds);

    const QString name = computerName->text();
    const QString selectedName = m_form.Namelist->list(m_form.Namelist->listIndex());
    if (!ISEDIT) {
        const bool tableFull = m_form.Namelist->listCount() >= std::numeric_limits<qint16>::max();
        if (name.isEmpty() || name == selectedName || !fitsStationFile(name) || tableFull) {
            refuse(computerName);
            return;
        }
        m_form.Eventlist->addItem(m_form.Stopcaption);
        m_form.Namelist->addItem(name);
        m_form.timeList->addItem(Time->text());
        m_form.Rellist->addItem(QStringLiteral("00"));
        const int last = m_form.Namelist->listCount() - 1;
        m_form.VScroll1->setMax(last);
        m_form.VScroll1->setValue(last);
        for (ListBox* list : {m_form.Namelist, m_form.timeList, m_form.Eventlist, m_form.Rellist})
            m_form.NoVertScrollBar(list);
        return;
    }

    if (name.isEmpty() || !fitsStationFile(name)) {
        refuse(computerName);
        return;
    }
    const int nameRow = m_form.Namelist->listIndex();
    const int timeRow = m_form.timeList->listIndex();
    if (nameRow < 0 || timeRow < 0)
        return; // no station selected to write to
    m_form.Namelist->setList(nameRow, name);
    m_form.timeList->setList(timeRow, Time->text());
}

} // namespace tallivor
