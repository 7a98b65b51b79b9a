#include "lang/Language.h"

#include "store/DataFile.h"
#include "store/TextCodec.h"

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
    if (!file)
        return {};
    return {file->entries[entryOf(LanguageVariable::Startcaption)],
            file->entries[entryOf(LanguageVariable::Stopcaption)]};
}

} // namespace

Language::Language(QString programFolder)
    : m_folder(std::move(programFolder)), m_file(QLatin1String(defaultLanguageFile))
{}

QString Language::text(LanguageVariable variable) const
{
    return m_entries[std::size_t(entryOf(variable))].value_or(QString());
}

std::optional<Relabel> Language::apply()
{
    const std::optional<LanguageFile> file = readLanguageFile(m_folder, m_file);
    if (!file && areUsableStateWords(m_words))
        return std::nullopt; // no file to apply, and the words in force can serve
    if (file) {
        for (std::size_t entry = 1; entry < m_entries.size(); ++entry) {
            if (file->entries[entry])
                m_entries[entry] = file->entries[entry];
        }
        // The keyed texts come by key; a file without them gives the English ones.
        m_texts = KeyedTexts(file->keyed);
    }

    // Every row must be either running or stopped and able to change: the state words are never empty, never equal
    // and always fit the station file. Words a language file cannot give come from the default language's file, or
    // are the built-in ones when that is missing too.
    const auto [running, stopped] = stateWordsOf(file);
    m_words = chooseStateWords(running, stopped, m_words, [this] {
        const auto [defaultRunning, defaultStopped] =
            stateWordsOf(readLanguageFile(m_folder, QLatin1String(defaultLanguageFile)));
        const StateWords defaults{defaultRunning.value_or(QString()), defaultStopped.value_or(QString())};
        return areUsableStateWords(defaults) ? defaults : builtInStateWords();
    });
    const Relabel relabel{m_relabelled, m_words};
    m_relabelled = m_words;
    return relabel;
}

} // namespace tallivor
