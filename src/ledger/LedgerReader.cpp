#include "ledger/LedgerReader.h"

#include "store/DataFile.h"
#include "store/TextCodec.h"

#include <QDir>

#include <algorithm>

namespace tallivor {

QStringList ledgerMonthFiles(const QString& folder)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("tallivor-ledger-*.csv")}, QDir::Files)) {
        if (ledgerFileMonth(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool readMonthFile(const QString& folder, const QString& name, const std::function<bool(QByteArrayView day)>& wanted,
                   const std::function<void(LedgerRecord&& record)>& take, std::vector<FileFinding>& findings)
{
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(name));
    if (!bytes)
        return false;
    const LedgerScan scan = scanLedger(*bytes, [&](int, QByteArrayView fields) {
        // The time stamp is never quoted: its date is the first ten bytes, so most lines are skipped unparsed.
        if (!wanted(fields.first(std::min<qsizetype>(10, fields.size()))))
            return;
        std::optional<LedgerEntry> entry = parseLedgerFields(fields);
        if (!entry)
            return;
        const qsizetype check = fields.data() - bytes->constData() + fields.size() + 1; // after the last comma
        LedgerRecord record{std::move(*entry), bytes->mid(check, 16), {}};
        record.event = eventFromName(record.entry.event);
        take(std::move(record));
    });
    for (const LedgerFinding& finding : scan.findings)
        findings.push_back({name, finding});
    return true;
}

QByteArray ledgerFileBytes(const std::vector<LedgerRecord>& records)
{
    QByteArray bytes = QByteArray(utf8ByteOrderMark) + ledgerHeading + "\r\n";
    for (const LedgerRecord& record : records)
        bytes += ledgerFieldBytes(record.entry) + ',' + record.check + "\r\n";
    return bytes;
}

} // namespace tallivor
