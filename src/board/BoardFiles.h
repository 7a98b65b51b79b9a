#pragma once

#include "board/Reconcile.h"
#include "board/StationStore.h"
#include "board/StationTable.h"
#include "board/TabStore.h"
#include "ledger/Ledger.h"
#include "till/Till.h"

#include <QObject>

namespace tallivor {

// What is not on the disk yet: the ledger's lines that wait and why the disk refused the last, and why the station
// file (or the tabs file) could not be written.
struct DiskState
{
    int waitingLines = 0;
    WriteFault ledger = WriteFault::None;
    WriteFault stationFile = WriteFault::None;

    bool saved() const { return waitingLines == 0 && stationFile == WriteFault::None; }
    bool operator==(const DiskState&) const = default;
};

// How the board reaches the disk: an operation's ledger lines first, then the tabs file and the station file; and at
// the start the station file read and both files brought in line with the ledger's lines written since.
class BoardFiles : public QObject
{
    Q_OBJECT
public:
    BoardFiles(const QString& programFolder, Ledger& ledger, StationTable& table, Till& till,
               QObject* parent = nullptr);

    // Reads the station file's stations into the table; the file, for its header's price and language.
    StationFile readStations();
    // Applies the ledger's lines the files missed (after the language is applied: the lines' starts and stops take
    // its words), the tabs and the products among them; what they changed of the price and the language.
    Replayed catchUp(const StateWords& words, const QString& price);
    // When the station file was last written, as the start found it.
    // The start's lines: the lines lost when the program last ended, the open line, and a gap line for the stations
    // left running while the program was not (their times stay as the file has them).
    void writeOpenLines(int stations, int running, const QString& price);
    const QDateTime& stationFileWritten() const { return m_stations.lastWritten(); }

    // Writes what waits: the ledger's lines, the tabs, the station file when it no longer holds the board (always,
    // for saveAll(), which also writes the products' counts).
    void persist(const QByteArray& stationFile);
    void saveAll(const QByteArray& stationFile);
    const DiskState& disk() const { return m_disk; }

signals:
    // What is on the disk changed: a write failed, or what waited is written now.
    void diskChanged();

private:
    void note();

    Ledger& m_ledger;
    StationTable& m_table;
    Till& m_till;
    StationStore m_stations;
    TabStore m_tabs;
    DiskState m_disk;
};

} // namespace tallivor
