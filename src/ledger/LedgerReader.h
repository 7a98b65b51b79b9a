#pragma once

#include "ledger/Events.h"
#include "ledger/LedgerChain.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace tallivor {

// One line of the ledger as it is read back.
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

// The month files of the folder, oldest first.
QStringList ledgerMonthFiles(const QString& folder);

// Reads one month file of the folder in one pass and checks its chain. Each line whose day (the first ten bytes of
// its time stamp, "2026-12-07") wanted accepts is parsed and goes to take, in file order; the chain's findings go to
// findings. A file that cannot be read gives nothing.
void readMonthFile(const QString& folder, const QString& name, const std::function<bool(QByteArrayView day)>& wanted,
                   const std::function<void(LedgerRecord&& record)>& take, std::vector<FileFinding>& findings);

// The lines stamped at or after a moment (to the second), from the month file of that moment on, read from the end of
// each file back only as far as they go: what the ledger wrote after the station file's last write, at the start.
std::vector<LedgerRecord> ledgerLinesSince(const QString& folder, const QDateTime& since);

// The lines of records as the ledger holds them, checks included, under the heading: a CSV file of its own.
QByteArray ledgerFileBytes(const std::vector<LedgerRecord>& records);

} // namespace tallivor
