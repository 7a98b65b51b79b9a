#include "lang/LanguageFile.h"

#include "store/TextLines.h"

#include <limits>

namespace tallivor {

LanguageFile parseLanguageFile(QStringView text)
{
    LanguageFile file;
    const QList<QStringView> lines = splitLines(text);
    qsizetype next = 0;
    while (next < lines.size()) {
        if (file.lineCount == 0)
            ++next; // the heading
        if (file.lineCount < std::numeric_limits<qint16>::max())
            ++file.lineCount;
        if (next >= lines.size())
            break;
        const QStringView line = lines[next++];
        const qsizetype first = line.indexOf(u'=');
        if (first < 0)
            continue;
        const qsizetype second = line.indexOf(u'=', first + 1);
        QString value = line.sliced(first + 1, (second < 0 ? line.size() : second) - first - 1).toString();
        if (file.lineCount <= languageEntryCount) {
            file.entries[file.lineCount] = std::move(value);
            continue;
        }
        // Keys are short names; a damaged file's long lines are no keys worth keeping.
        constexpr qsizetype longestKey = 64;
        const QStringView key = line.first(first).trimmed();
        if (key.size() <= longestKey && !file.keyed.contains(key.toString()))
            file.keyed.insert(key.toString(), std::move(value));
    }
    return file;
}

} // namespace tallivor
