// The language of the interface: captions, the state words and the editor's texts from a language file.
#include "board/Form1.h"

#include "dialogs/EditDialog.h"
#include "dialogs/SettingsDialog.h"
#include "lang/Entries.h"
#include "lang/LanguageFile.h"
#include "lang/Relabel.h"
#include "lang/StateWords.h"
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

// The entries of a language file in the program folder; nothing when there is no such file or it cannot be read.
std::optional<LanguageFile> readLanguageFile(const QString& folder, const QString& name)
{
    if (!isLanguageFile(folder, name))
        return std::nullopt;
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(name));
    if (!bytes)
        return std::nullopt;
    return parseLanguageFile(decodeDataFile(*bytes));
}

// The state words a language file gives, when it gives them.
std::pair<std::optional<QString>, std::optional<QString>> stateWordsOf(const std::optional<LanguageFile>& file)
{
    std::optional<QString> running, stopped;
    if (file) {
        for (const EntryTarget& target : languageTargets()) {
            if (target.variable == LanguageVariable::Startcaption)
                running = file->entries[target.entry];
            else if (target.variable == LanguageVariable::Stopcaption)
                stopped = file->entries[target.entry];
        }
    }
    return {running, stopped};
}

} // namespace

void Form1::translate()
{
    if (isLanguageFile(m_folder, languageStr))
        lineCount = 0;
    const std::optional<LanguageFile> file = readLanguageFile(m_folder, languageStr);
    if (!file && areUsableStateWords({Startcaption, Stopcaption}))
        return; // no file to apply, and the words in force can serve
    if (file) {
        lineCount = file->lineCount;
        for (const EntryTarget& target : languageTargets()) {
            const bool stateWord =
                target.variable == LanguageVariable::Startcaption || target.variable == LanguageVariable::Stopcaption;
            if (const std::optional<QString>& value = file->entries[target.entry]; value && !stateWord)
                applyLanguageTarget(target, *value);
        }
        // The report's texts come by key; a file without them gives the English ones.
        m_keyedTexts = KeyedTexts(file->keyed);
        btn[Button::Report]->setText(m_keyedTexts[KeyedText::Report]);
        if (hasReport())
            report()->retranslate(m_keyedTexts);
    }

    // Every row must be either running or stopped and able to change: the state words are never empty, never equal
    // and always fit the station file. Words a language file cannot give come from the default language's file, or
    // are the built-in ones when that is missing too.
    const auto [running, stopped] = stateWordsOf(file);
    const StateWords words = chooseStateWords(running, stopped, {Startcaption, Stopcaption}, [this] {
        const auto [defaultRunning, defaultStopped] =
            stateWordsOf(readLanguageFile(m_folder, QLatin1String(defaultLanguageFile)));
        const StateWords defaults{defaultRunning.value_or(QString()), defaultStopped.value_or(QString())};
        return areUsableStateWords(defaults) ? defaults : builtInStateWords();
    });
    Startcaption = words.running;
    Stopcaption = words.stopped;

    // Re-label the state words already on the board: the old running and stopped words become the new ones.
    StringColumn& states = Eventlist->column();
    if (relabelStates(states.texts(), OldStopcaption, OldStartcaption, Stopcaption, Startcaption))
        states.announceChanged(0, int(states.texts().size()) - 1);
    OldStopcaption = Stopcaption;
    OldStartcaption = Startcaption;
    nameForScreenReaders();
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
