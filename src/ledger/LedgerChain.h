#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

namespace tallivor {

// What a month file's chain says about one of its lines.
enum class Alteration
{
    Heading,  // the first line is not the column names
    Changed,  // the line does not chain on the line before it: it was changed, or lines just before it were deleted
    Inserted, // the line was put in: the line after it chains on the line before it
    Damaged,  // the line is no ledger line (no check, broken quoting): a line written over, or cut short earlier
    Cut,      // the last line ends early: its write was cut short, by a power cut for example
};

struct LedgerFinding
{
    int line; // in the file, the heading being line 1
    Alteration what;
};

// A month file as its chain reads.
struct LedgerScan
{
    std::vector<LedgerFinding> findings; // in line order; none when the file is intact
};

// Reads the lines of a month file (UTF-8 with or without a byte-order mark; lines end at LF, a CR before it is
// dropped) and checks their chain. Each line that has a well-formed check goes to take, with its line number and its
// field bytes (the line up to its last comma), whether or not it chains: the findings say which lines were altered.
// A damaged line is reported and skipped; the next line chains on the last good check before it.
LedgerScan scanLedger(QByteArrayView bytes, const std::function<void(int line, QByteArrayView fields)>& take = {});

// Where the next line of a month file goes, found from the end of the file without checking the chain.
struct LedgerTail
{
    bool empty = true;           // no heading yet: the file is new or empty
    bool endsWithLineEnd = true; // false: the last line was cut short, and the next starts on a fresh line
    QByteArray lastCheck;        // the check of the last line that has one: the next line chains on it
};
LedgerTail ledgerTail(QByteArrayView bytes);

} // namespace tallivor
