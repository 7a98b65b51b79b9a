#include "board/BoardFiles.h"

#include "ledger/Events.h"

#include <QFileInfo>

namespace tallivor {

BoardFiles::BoardFiles(const QString& programFolder, Ledger& ledger, StationTable& table, Till& till, QObject* parent)
    : QObject(parent), m_ledger(ledger), m_table(table), m_till(till), m_stations(programFolder), m_tabs(programFolder)
{}

StationFile BoardFiles::readStations()
{
    StationFile file = m_stations.read();
    m_table.append(stationsOf(file));
    return file;
}

Replayed BoardFiles::catchUp(const StateWords& words, const QString& price)
{
    // The ledger is the record: what it holds since the station file's last write is the board's too.
    Replayed replayed;
    if (stationFileWritten().isValid()) {
        const QString folder = QFileInfo(m_stations.path()).absolutePath();
        replayed = replayLines(ledgerLinesSince(folder, stationFileWritten()), m_table, words, price);
    }
    m_tabs.load(m_table, stationFileWritten());
    m_till.load();
    return replayed;
}

void BoardFiles::persist(const QByteArray& stationFile)
{
    if (m_ledger.flush()) {
        // Items whose sale lines waited for the disk learn their checks once the lines are written.
        const auto checkOf = [this](quint64 line) { return m_ledger.checkOf(line); };
        for (Station& station : m_table.rows())
            station.record.tab.learnChecks(checkOf);
        m_till.learnChecks(checkOf);
    }
    m_tabs.write(m_table);
    m_stations.write(stationFile);
    note();
}

void BoardFiles::saveAll(const QByteArray& stationFile)
{
    m_ledger.flush();
    m_tabs.write(m_table);
    m_stations.write(stationFile, true);
    m_till.save(true);
    note();
}

void BoardFiles::note()
{
    const WriteFault files = m_stations.fault() == WriteFault::None ? m_tabs.fault() : m_stations.fault();
    const DiskState disk{m_ledger.pendingLines(), m_ledger.fault(), files};
    if (std::exchange(m_disk, disk) != disk)
        emit diskChanged();
}

void BoardFiles::writeOpenLines(int stations, int running, const QString& price)
{
    // Lines that still waited for the disk when the program last ended are not in the ledger: the owner is told.
    if (const std::optional<Ledger::Lost> lost = m_ledger.takeLost())
        m_ledger.append(line::lost(lost->lines, lost->since, price));
    m_ledger.append(line::open(stations, running, price));
    // Stations marked running were not counted while the program was not running: the owner should know for how
    // long. Their times stay as the file has them.
    if (running > 0 && stationFileWritten().isValid()) {
        const qint64 seconds = std::max<qint64>(0, stationFileWritten().secsTo(m_ledger.now()));
        m_ledger.append(line::gap(seconds, seconds, running, price));
    }
}

} // namespace tallivor
