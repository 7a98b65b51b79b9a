#pragma once

#include "board/StationTable.h"
#include "ledger/LedgerReader.h"
#include "store/DataFile.h"

#include <QByteArray>
#include <QString>

namespace tallivor {

// The stations' tabs on the disk: tallivor-tabs.csv in the program folder, one item a line by the station's name
// (station,product,quantity,price,amount,sale), written whenever a tab changes, after the item's ledger line. A room
// that never sold anything has no such file, and its station file is as it always was.
class TabStore
{
public:
    explicit TabStore(const QString& programFolder);

    // Gives the stations their tabs as the file holds them, then as the ledger's lines since the file's last write
    // (or since the station file's, when there is no tabs file) leave them: a sale on, a void off, a bill clearing
    // the tab, the renames and removals of stations followed. Each line is applied once.
    void load(StationTable& table, const QDateTime& stationFileWritten);
    // Writes the file when the tabs are not what it holds; fault() says whether the disk took it.
    void write(const StationTable& table);
    WriteFault fault() const { return m_fault; }

private:
    QString m_path;
    QByteArray m_saved;
    WriteFault m_fault = WriteFault::None;
};

} // namespace tallivor
