#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace tallivor {

inline constexpr int languageEntryCount = 22;

// The language of a first start, and the one whose words stand in when a chosen file cannot give them.
inline constexpr char defaultLanguageFile[] = "English.xml";

// The numbered entries of a language file: entry k (1 to 22) at index k when it is set; index 0 is never set.
using LanguageEntries = std::array<std::optional<QString>, languageEntryCount + 1>;

// A language file: a heading line, then entry k on line k + 1 for k = 1 to 22, each "key=value" where the key is
// ignored and the value runs from the first "=" to the second "=" or the end of the line, blanks kept. A line without
// "=" sets nothing. Lines after the 23rd are optional entries found by their key instead (the text before the "=",
// blanks around it dropped); the first line with a key counts.
struct LanguageFile
{
    LanguageEntries entries;
    // The optional entries after line 23, by key.
    QHash<QString, QString> keyed;
    // The line counter as reading leaves it (16-bit, stops at 32,767): the entry number of the last line read.
    qint16 lineCount = 0;
};

LanguageFile parseLanguageFile(QStringView text);

} // namespace tallivor
