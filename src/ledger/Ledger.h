#pragma once

#include "ledger/LedgerLine.h"
#include "store/DataFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>
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
    // returns. When the disk refuses it, it is kept and written with the next line or the next flush(), and
    // pendingLines() and fault() say so. Returns the line's number in this run, by which checkOf() finds its check.
    quint64 append(LedgerEntry entry);
    // The check of a line this run appended, once it is on the disk; empty while it waits.
    QByteArray checkOf(quint64 line) const { return m_checks.value(line); }
    // What a line's detail holds in place of the check of a line that still waits for the disk: it becomes that
    // check when the line is written, after the one it names.
    static QString checkToBe(quint64 line);
    // Tries again to write the lines that wait. True when none waits.
    bool flush();

    // What the last start left: the lines that still waited for the disk when the program ended, which are lost, and
    // the time of the first of them. Called once at the start, it also makes the small file that keeps that count
    // from now on (written in place, so that it can be kept on a full disk).
    struct Lost
    {
        int lines = 0;
        QString since;
    };
    std::optional<Lost> takeLost();

    // Is told of every line as it reaches the disk, with its check: an open report follows the ledger without reading
    // it again.
    void setOnWritten(std::function<void(const LedgerEntry& entry, const QByteArray& check)> onWritten)
    {
        m_onWritten = std::move(onWritten);
    }

    // Lines the disk refused so far, waiting for the next write, and why the disk refused the last one.
    int pendingLines() const { return int(m_pending.size()); }
    WriteFault fault() const { return m_pending.empty() ? WriteFault::None : m_fault; }
    // The chain's head: the check of the last line on the disk, in the month file of now ("0000000000000000" for a
    // month without lines yet), read from the file's end.
    QByteArray head() const;
    // The time on the ledger's clock.
    QDateTime now() const;

private:
    // Writes the lines that wait, oldest first; what the disk refuses waits for the next line.
    void writePending();
    // Keeps the count of the lines that wait in the waiting file.
    void recordWaiting();

    QString m_folder;
    std::function<QDateTime()> m_now;
    std::function<void(const LedgerEntry&, const QByteArray&)> m_onWritten;
    std::vector<LedgerEntry> m_pending;
    std::vector<quint64> m_pendingNumbers; // beside m_pending
    quint64 m_appended = 0;
    QHash<quint64, QByteArray> m_checks; // of the lines written this run
    // The month file this copy wrote last: its size then and its last check, so that the next line needs no reading
    // of the file unless its size shows that someone else changed it.
    QString m_fileName;
    qint64 m_fileSize = -1;
    QByteArray m_lastCheck;
    WriteFault m_fault = WriteFault::None;
    int m_recordedWaiting = -1; // the count the waiting file holds; -1 while there is no such file
};

} // namespace tallivor
