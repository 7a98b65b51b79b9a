#pragma once

#include "lang/Entries.h"
#include "lang/KeyedTexts.h"
#include "lang/LanguageFile.h"
#include "lang/Relabel.h"

#include <QString>

#include <optional>

namespace tallivor {

// The language in force: the language file it comes from, by its name in the program folder, the numbered entries
// of the files applied so far, the keyed texts and the two state words.
class Language
{
public:
    explicit Language(QString programFolder);

    // The language file in force, by its name in the program folder; a first start's is the default one.
    const QString& file() const { return m_file; }
    void setFile(const QString& file) { m_file = file; }

    // The numbered entries of the language files applied so far, each as the last file that set it gave it.
    const LanguageEntries& entries() const { return m_entries; }
    // A text an entry sets for the main window (a caption of the editor, say); empty when no file set it.
    QString text(LanguageVariable variable) const;
    // The texts found by key, in the language in force.
    const KeyedTexts& texts() const { return m_texts; }
    const StateWords& words() const { return m_words; }

    // Applies the language file in force: its entries, its keyed texts and its state words. A file that is not there
    // changes nothing, but for state words that cannot serve, which are chosen anew. Returns the relabelling of the
    // state words already on the board; nothing when nothing was applied.
    std::optional<Relabel> apply();

private:
    const QString m_folder;
    QString m_file;
    LanguageEntries m_entries;
    KeyedTexts m_texts;
    StateWords m_words;
    StateWords m_relabelled; // the words of the last relabelling: the board's rows may still carry them
};

} // namespace tallivor
