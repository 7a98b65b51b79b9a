#include "store/StationFile.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"
#include "store/TextLines.h"

#include <algorithm>
#include <limits>

namespace tallivor {

StationFile parseStationFile(QStringView text)
{
    StationFile file;
    const QList<QStringView> lines = splitLines(text);
    const qsizetype rows = lines.size();
    for (QStringList* column : {&file.state, &file.name, &file.spent, &file.charge, &file.ownPrice, &file.paid})
        column->reserve(rows);

    for (const QStringView line : lines) {
        const QList<QStringView> fields = splitFields(line, u',');
        if (file.lineCount == 0) {
            if (fields.size() > 0)
                file.price = fields[0].toString();
            if (fields.size() > 1)
                file.language = fields[1].toString();
        } else if (!fields.isEmpty()) {
            const auto field = [&](qsizetype k) { return k < fields.size() ? fields[k].toString() : QString(); };
            file.state.append(field(0));
            file.name.append(field(1));
            file.spent.append(field(2));
            file.charge.append(field(3));
            // A hand-edited field that holds no price or no paid time is dropped, never read as a free station.
            const QString ownPrice = field(4), paid = field(5);
            file.ownPrice.append(isOwnPrice(ownPrice) ? ownPrice : QString());
            file.paid.append(paidSecondsOf(paid) ? paid : QString());
        }
        if (file.lineCount < std::numeric_limits<qint16>::max())
            ++file.lineCount;
    }
    return file;
}

bool fitsStationField(QStringView text)
{
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c == u',' || c.category() == QChar::Other_Control; });
}

bool isOwnPrice(QStringView text)
{
    return hasLeadingNumber(text) && fitsStationField(text);
}

QString formatStationFile(const StationFile& file)
{
    const auto at = [](const QStringList& column, qsizetype i) { return i < column.size() ? column[i] : QString(); };
    const QLatin1String lineEnd("\r\n");
    const QChar comma(u',');
    const QString price = file.price.value_or(QString()), language = file.language.value_or(QString());

    qsizetype size = price.size() + language.size() + 3;
    for (qsizetype i = 0; i < file.name.size(); ++i)
        size +=
            at(file.state, i).size() + file.name[i].size() + at(file.spent, i).size() + at(file.charge, i).size() + 5;

    QString text;
    text.reserve(size);
    text.append(price).append(comma).append(language).append(lineEnd);
    for (qsizetype i = 0; i < file.name.size(); ++i) {
        text.append(at(file.state, i)).append(comma).append(file.name[i]).append(comma);
        text.append(at(file.spent, i)).append(comma).append(at(file.charge, i));
        const QString own = at(file.ownPrice, i), paidTime = at(file.paid, i);
        if (!own.isEmpty() || !paidTime.isEmpty())
            text.append(comma).append(own);
        if (!paidTime.isEmpty())
            text.append(comma).append(paidTime);
        text.append(lineEnd);
    }
    return text;
}

} // namespace tallivor
