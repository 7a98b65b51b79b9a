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

StationFileWriter::StationFileWriter(const QString& price, const QString& language, qsizetype rows)
{
    m_text.reserve(price.size() + language.size() + 3 + rows * 32);
    m_text.append(price).append(u',').append(language).append(QLatin1String("\r\n"));
}

void StationFileWriter::row(const QString& state, const QString& name, const QString& spent, const QString& charge,
                            const QString& ownPrice, const QString& paid)
{
    const QChar comma(u',');
    m_text.append(state).append(comma).append(name).append(comma).append(spent).append(comma).append(charge);
    if (!ownPrice.isEmpty() || !paid.isEmpty())
        m_text.append(comma).append(ownPrice);
    if (!paid.isEmpty())
        m_text.append(comma).append(paid);
    m_text.append(QLatin1String("\r\n"));
}

QString formatStationFile(const StationFile& file)
{
    const auto at = [](const QStringList& column, qsizetype i) { return i < column.size() ? column[i] : QString(); };
    StationFileWriter writer(file.price.value_or(QString()), file.language.value_or(QString()), file.rowCount());
    for (qsizetype i = 0; i < file.name.size(); ++i) {
        writer.row(at(file.state, i), file.name[i], at(file.spent, i), at(file.charge, i), at(file.ownPrice, i),
                   at(file.paid, i));
    }
    return writer.take();
}

} // namespace tallivor
