#pragma once

#include "ledger/LedgerChain.h"
#include "ledger/LedgerLine.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace tallivor {

// One line of the ledger as the report reads it.
struct LedgerRecord
{
    LedgerEntry entry;
    QByteArray check;
    std::optional<LedgerEvent> event;
};

// An alteration of a month file.
struct FileFinding
{
    QString file;
    LedgerFinding finding;
};

// The span of the ledger a report covers: the days from and to (local dates, both included), or every line after the
// last shift line.
struct Period
{
    QDate from, to;
    bool sinceShift = false;
};

// The lines of a period, and what the chains of the month files read for it say.
struct LedgerExtract
{
    std::vector<LedgerRecord> records; // in the order they were written
    std::vector<FileFinding> findings; // every alteration of the files read, not only of the period's lines
    QString shiftTime;                 // since the last shift: the time of that shift line (empty when none)
};

// Reads the month files of the folder that the period needs, each in one pass, and checks their chains.
LedgerExtract readLedger(const QString& folder, const Period& period);

} // namespace tallivor
