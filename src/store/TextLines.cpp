#include "store/TextLines.h"

namespace tallivor {

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text.sliced(i).startsWith(u"\r\n"))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

QList<QStringView> splitFields(QStringView line, QChar separator)
{
    QList<QStringView> fields;
    if (line.isEmpty())
        return fields;
    qsizetype start = 0;
    for (qsizetype at = line.indexOf(separator); at >= 0; at = line.indexOf(separator, start)) {
        fields.append(line.sliced(start, at - start));
        start = at + 1;
    }
    fields.append(line.sliced(start));
    return fields;
}

} // namespace tallivor
