#pragma once

#include "ledger/LedgerLine.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace tallivor {

// The ledger: one append-only file per calendar month in the program folder, tallivor-ledger-YYYY-MM.csv, with a
// line for every bill and every other event that moves money or the board. Its lines are chained by their checks,
// so that a line changed, inserted or deleted by hand shows (see LedgerChain.h).
class Ledger
{
public:
    // now: the wall clock that stamps the lines; its local date chooses the month file.
    Ledger(QString folder, std::function<QDateTime()> now);

    // Appends a line (one of those Events.h builds), stamped with the time of now. It is on the disk when this
    // returns. When the disk refuses it, it is kept and written with the next line (nothing waits or retries in
    // between), and pendingLines() says so.
    void append(LedgerEntry entry);

    // Is told of every line as it reaches the disk, with its check: an open report follows the ledger without reading
    // it again.
    void setOnWritten(std::function<void(const LedgerEntry& entry, const QByteArray& check)> onWritten)
    {
        m_onWritten = std::move(onWritten);
    }

    // Lines the disk refused so far, waiting for the next write.
    int pendingLines() const { return int(m_pending.size()); }
    // The chain's head: the check of the last line on the disk, in the month file of now ("0000000000000000" for a
    // month without lines yet).
    QByteArray head() const;
    // The time on the ledger's clock.
    QDateTime now() const;

private:
    // Writes the lines that wait, oldest first; what the disk refuses waits for the next line.
    void writePending();

    QString m_folder;
    std::function<QDateTime()> m_now;
    std::function<void(const LedgerEntry&, const QByteArray&)> m_onWritten;
    std::vector<LedgerEntry> m_pending;
    // The month file this copy wrote last: its size then and its last check, so that the next line needs no reading
    // of the file unless its size shows that someone else changed it.
    QString m_fileName;
    qint64 m_fileSize = -1;
    QByteArray m_lastCheck;
};

} // namespace tallivor
