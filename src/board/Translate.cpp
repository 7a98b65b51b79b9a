// The language of the interface: captions, the state words and the editor's texts from a language file.
#include "board/Form1.h"

#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/Entries.h"
#include "lang/LanguageFile.h"
#include "lang/Relabel.h"
#include "report/ReportWindow.h"
#include "store/DataFile.h"
#include "store/TextCodec.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QDir>
#include <QFileInfo>

namespace tallivor {

namespace {

// A language file is an ordinary, visible file directly in the program folder, named by its bare file name.
bool isLanguageFile(const QString& folder, const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    const QFileInfo info(QDir(folder).filePath(name));
    return info.exists() && info.isFile() && !info.isHidden();
}

} // namespace

void Form1::translate()
{
    if (!isLanguageFile(m_folder, languageStr))
        return;
    lineCount = 0;
    const std::optional<QByteArray> bytes = readWholeFile(QDir(m_folder).filePath(languageStr));
    if (!bytes)
        return;
    const LanguageFile file = parseLanguageFile(decodeDataFile(*bytes));
    lineCount = file.lineCount;
    for (const EntryTarget& target : languageTargets()) {
        if (const std::optional<QString>& value = file.entries[target.entry])
            applyLanguageTarget(target, *value);
    }
    // The report's texts come by key; a file without them gives the English ones.
    m_keyedTexts = KeyedTexts(file.keyed);
    btn[Button::Report]->setText(m_keyedTexts[KeyedText::Report]);
    if (hasReport())
        report()->retranslate(m_keyedTexts);

    // Re-label the state words already on the board; an empty stopped word means no language has set the words yet.
    if (Stopcaption.isEmpty())
        return;
    StringColumn& states = Eventlist->column();
    if (relabelStates(states.texts(), OldStopcaption, OldStartcaption, Stopcaption, Startcaption))
        states.announceChanged(0, int(states.texts().size()) - 1);
    OldStopcaption = Stopcaption;
    OldStartcaption = Startcaption;
}

void Form1::applyLanguageTarget(const EntryTarget& target, const QString& value)
{
    if (target.property == TargetProperty::Variable) {
        QString* variable = nullptr;
        switch (target.variable) {
        case LanguageVariable::AddSavecaption: variable = &AddSavecaption; break;
        case LanguageVariable::EditSavecaption: variable = &EditSavecaption; break;
        case LanguageVariable::EditFormcaption: variable = &EditFormcaption; break;
        case LanguageVariable::EditTitlecaption: variable = &EditTitlecaption; break;
        case LanguageVariable::AddFormcaption: variable = &AddFormcaption; break;
        case LanguageVariable::AddTitlecaption: variable = &AddTitlecaption; break;
        case LanguageVariable::Startcaption: variable = &Startcaption; break;
        case LanguageVariable::Stopcaption: variable = &Stopcaption; break;
        case LanguageVariable::None: break;
        }
        if (variable)
            *variable = value;
        return;
    }

    // A caption fits a few dozen characters; a damaged file's megabyte of text would only stall the window.
    constexpr qsizetype longestCaption = 1000;
    const QString shown = value.left(longestCaption);

    // Texts of a dialog are applied whether or not it is open: one that does not exist is created hidden.
    const Controls* controls = &m_controls;
    if (target.window == TargetWindow::Edit)
        controls = &edit()->controls();
    else if (target.window == TargetWindow::Settings)
        controls = &settings()->controls();
    QObject* control = controls->find(target.control, target.index);
    switch (target.property) {
    case TargetProperty::Caption:
        if (auto* label = qobject_cast<Label*>(control))
            label->setText(shown);
        break;
    case TargetProperty::ToolTip:
        if (auto* widget = qobject_cast<QWidget*>(control))
            widget->setToolTip(shown);
        break;
    case TargetProperty::Text:
        if (auto* box = qobject_cast<TextBox*>(control))
            box->setText(shown);
        break;
    case TargetProperty::Variable: break;
    }
}

} // namespace tallivor
