// A language file from arbitrary bytes: reading never fails and takes each entry from its own line.
#include "FuzzSupport.h"
#include "lang/LanguageFile.h"
#include "store/TextCodec.h"

#include <limits>

using namespace tallivor;
using namespace fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = decodeDataFile(bytesOf(data, size));
    const LanguageFile file = parseLanguageFile(text);
    const QStringList lines = referenceLines(text);
    const qsizetype lineTotal = lines.size();

    // Line 1 is the heading: there is no entry 0.
    check(!file.entries[0].has_value(), "entry 0 is set", "entry 0 = " + printable(file.entries[0]));

    // The counter is 16 bits wide and must stop rather than wrap on a long file.
    check(file.lineCount >= 0 && file.lineCount <= std::numeric_limits<qint16>::max(), "lineCount out of range",
          std::to_string(file.lineCount));
    // After the heading, the counter is the entry number of the last line read. (A file of the heading alone leaves
    // nothing after it to pin the counter down, so that case is only held to the range above.)
    if (lineTotal == 0)
        check(file.lineCount == 0, "lineCount of an empty file is not 0", std::to_string(file.lineCount));
    else if (lineTotal >= 2) {
        const qsizetype expected = std::min<qsizetype>(lineTotal - 1, std::numeric_limits<qint16>::max());
        check(file.lineCount == expected, "lineCount is not the entry number of the last line",
              "got " + std::to_string(file.lineCount) + ", expected " + std::to_string(expected) + " for " +
                  std::to_string(lineTotal) + " lines");
    }

    for (int k = 1; k <= languageEntryCount; ++k) {
        const std::optional<QString>& entry = file.entries[k];
        const QString line = k < lineTotal ? lines[k] : QString();
        const qsizetype first = line.indexOf(u'=');
        const std::string where =
            "entry " + std::to_string(k) + ", line \"" + printable(QStringView(line)) + "\", entry " + printable(entry);
        // Entry k lives on line k + 1 and only a line with "=" sets it.
        check(entry.has_value() == (k < lineTotal && first >= 0),
              entry ? "entry set from a line without \"=\" (or past the end)" : "entry not set from a line with \"=\"",
              where);
        if (!entry)
            continue;
        check(!entry->contains(u'='), "entry value contains \"=\"", where);
        check(!entry->contains(u'\r'), "entry value contains CR", where);
        // The value runs from the first "=" to the second one or the end of the line, blanks kept.
        const qsizetype second = line.indexOf(u'=', first + 1);
        const QString value = line.mid(first + 1, second < 0 ? -1 : second - first - 1);
        check(*entry == value, "entry value is not the text between the first and second \"=\"",
              where + "\nexpected \"" + printable(QStringView(value)) + "\"");
    }
    return 0;
}
