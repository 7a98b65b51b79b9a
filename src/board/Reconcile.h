#pragma once

#include "board/StationTable.h"
#include "lang/StateWords.h"
#include "ledger/LedgerReader.h"

#include <optional>
#include <vector>

namespace tallivor {

// What the ledger's lines changed beside the stations.
struct Replayed
{
    std::optional<QString> price;    // the board's price, when a line changed it
    std::optional<QString> language; // the language file, when a line changed it
};

// Brings the stations in line with ledger lines written after the station file: a power cut between an operation's
// two writes leaves the ledger a step ahead. Each line says what its station was left as (added, renamed or its time
// set, started or stopped, billed to "00:00" and "00", removed, its own price or paid time set), so a line the file
// already holds changes nothing when it is applied again. Stations are found by name, as the lines name them; the
// clock's seconds are the file's.
Replayed replayLines(const std::vector<LedgerRecord>& lines, StationTable& table, const StateWords& words,
                     const QString& boardPrice);

} // namespace tallivor
