#include "board/StationStore.h"

#include "board/StationTable.h"
#include "rules/TimeText.h"
#include "store/DataFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QFileInfo>

namespace tallivor {

StationStore::StationStore(const QString& programFolder)
    : m_path(QDir(programFolder).filePath(QLatin1String(stationFileName)))
{}

StationFile StationStore::read()
{
    m_lastWritten = QFileInfo(m_path).lastModified();
    const std::optional<QByteArray> bytes = readWholeFile(m_path);
    if (!bytes)
        return {};
    m_saved = *bytes;
    return parseStationFile(decodeDataFile(*bytes));
}

bool StationStore::write(const QByteArray& bytes, bool always)
{
    if (!always && bytes == m_saved) {
        m_fault = WriteFault::None; // nothing changed since the file was last written or read
        return true;
    }
    if (!replaceFile(m_path, bytes, &m_fault))
        return false;
    m_saved = bytes;
    return true;
}

std::vector<Station> stationsOf(const StationFile& file)
{
    std::vector<Station> stations(std::size_t(file.rowCount()));
    for (qsizetype i = 0; i < file.rowCount(); ++i) {
        Station& station = stations[std::size_t(i)];
        station.texts = {file.state[i], file.name[i], file.spent[i], file.charge[i]};
        if (!file.ownPrice[i].isEmpty())
            station.record.price = file.ownPrice[i];
        station.record.paid = paidSecondsOf(file.paid[i]);
        if (station.record.paid)
            station.record.spent = qint64(secondsOf(file.spent[i]));
    }
    return stations;
}

QByteArray stationFileBytes(const QString& price, const QString& language, const StationTable& table)
{
    StationFileWriter writer(price, language, table.size());
    for (const Station& station : table.rows()) {
        const StationRecord& record = station.record;
        writer.row(station.text(Column::State), station.text(Column::Name), station.text(Column::Spent),
                   station.text(Column::Charge), record.price.value_or(QString()),
                   record.paid ? paidTimeText(*record.paid) : QString());
    }
    return encodeDataFile(writer.take());
}

} // namespace tallivor
