#pragma once

#include "ledger/LedgerReader.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

namespace tallivor {

// The span of the ledger a report covers: the days from and to (local dates, both included), or every line after the
// last shift line.
struct Period
{
    QDate from, to;
    bool sinceShift = false;

    static Period days(QDate from, QDate to) { return {from, to, false}; }
    static Period sinceLastShift() { return {{}, {}, true}; }
    bool operator==(const Period&) const = default;
};

// The lines of a period, and the one rule of which lines belong to it, for lines read back from the month files and
// for lines as they are written: a line of the days belongs by the local date of its time stamp; since the last
// shift, a shift line starts the period afresh.
class PeriodLines
{
public:
    explicit PeriodLines(const Period& period = Period::sinceLastShift());

    // Whether a line of that day ("2026-12-07", the first ten characters of its time stamp) can belong.
    bool wantsDay(QByteArrayView day) const;
    // Takes a line, in the order lines are written. True when it belongs to the period (a shift line since the last
    // shift: the lines before it are let go).
    bool take(LedgerRecord record);

    const Period& period() const { return m_period; }
    const std::vector<LedgerRecord>& records() const { return m_records; }
    // Since the last shift: the time of that shift line (empty when there is none).
    const QString& shiftTime() const { return m_shiftTime; }

private:
    Period m_period;
    QByteArray m_from, m_to; // the days as ISO text, compared as text
    std::vector<LedgerRecord> m_records;
    QString m_shiftTime;
};

// A period read from the folder's month files: the files it needs, each in one pass, their chains checked.
struct PeriodRead
{
    PeriodLines lines;
    std::vector<FileFinding> findings; // every alteration of the files read, not only of the period's lines
};
PeriodRead readPeriod(const QString& folder, const Period& period);

} // namespace tallivor
