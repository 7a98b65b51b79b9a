#pragma once

#include "store/DataFile.h"
#include "store/StationFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace tallivor {

class StationTable;
struct Station;

// The station file's life: read at the load step, written whole and atomically, and not written again while it holds
// what it would be given.
class StationStore
{
public:
    explicit StationStore(const QString& programFolder);

    const QString& path() const { return m_path; }
    // Reads the file (an empty one when there is none), remembering what it holds and when it was last written.
    StationFile read();
    // When the file was last written, as read at the load step (invalid when there was none).
    const QDateTime& lastWritten() const { return m_lastWritten; }
    // Writes the bytes; unless always, only when the file does not hold them already (as this copy last wrote or
    // read it). False when the write failed: the file keeps what it had, and fault() says why.
    bool write(const QByteArray& bytes, bool always = false);
    // Why the last write failed; None once the file holds what it was last given.
    WriteFault fault() const { return m_fault; }

private:
    const QString m_path;
    QByteArray m_saved;
    WriteFault m_fault = WriteFault::None;
    QDateTime m_lastWritten;
};

// The stations a station file holds, each with its own price and paid time.
std::vector<Station> stationsOf(const StationFile& file);

// The station file's bytes for a board: its price, its language and every row, the two optional fields only for a
// row that has one, so that a board without them writes what it always wrote.
QByteArray stationFileBytes(const QString& price, const QString& language, const StationTable& table);

} // namespace tallivor
