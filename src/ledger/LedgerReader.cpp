#include "ledger/LedgerReader.h"

#include "store/DataFile.h"

#include <QDir>

#include <algorithm>

namespace tallivor {
namespace {

// Reads one month file; keep tells from a line's time stamp (its first field) whether the period wants it.
template <typename Keep>
void readFile(const QString& folder, const QString& name, LedgerExtract& extract, Keep keep)
{
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(name));
    if (!bytes)
        return;
    const LedgerScan scan = scanLedger(*bytes, [&](int, QByteArrayView fields) {
        // The time stamp is never quoted: its date is the first ten bytes, so most lines are skipped unparsed.
        if (!keep(fields.first(std::min<qsizetype>(10, fields.size()))))
            return;
        std::optional<LedgerEntry> entry = parseLedgerFields(fields);
        if (!entry)
            return;
        const qsizetype check = fields.data() - bytes->constData() + fields.size() + 1; // after the last comma
        LedgerRecord record{std::move(*entry), bytes->mid(check, 16), {}};
        record.event = eventFromName(record.entry.event);
        extract.records.push_back(std::move(record));
    });
    for (const LedgerFinding& finding : scan.findings)
        extract.findings.push_back({name, finding});
}

} // namespace

LedgerExtract readLedger(const QString& folder, const Period& period)
{
    LedgerExtract extract;
    if (!period.sinceShift) {
        const QByteArray from = period.from.toString(Qt::ISODate).toLatin1();
        const QByteArray to = period.to.toString(Qt::ISODate).toLatin1();
        for (QDate month(period.from.year(), period.from.month(), 1); month <= period.to; month = month.addMonths(1)) {
            readFile(folder, ledgerFileName(month), extract,
                     [&](QByteArrayView day) { return day >= QByteArrayView(from) && day <= QByteArrayView(to); });
        }
        return extract;
    }

    // Since the last shift: month files from the newest back, until one holds a shift line.
    QStringList names;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("tallivor-ledger-*.csv")}, QDir::Files)) {
        if (ledgerFileMonth(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    std::vector<LedgerRecord> later;
    for (const QString& name : names) {
        LedgerExtract file;
        readFile(folder, name, file, [](QByteArrayView) { return true; });
        extract.findings.insert(extract.findings.begin(), file.findings.begin(), file.findings.end());
        const auto shift = std::find_if(file.records.rbegin(), file.records.rend(),
                                        [](const LedgerRecord& record) { return record.event == LedgerEvent::Shift; });
        const bool found = shift != file.records.rend();
        if (found)
            extract.shiftTime = shift->entry.time;
        file.records.erase(file.records.begin(), shift.base());
        file.records.insert(file.records.end(), std::make_move_iterator(later.begin()),
                            std::make_move_iterator(later.end()));
        later = std::move(file.records);
        if (found)
            break;
    }
    extract.records = std::move(later);
    return extract;
}

} // namespace tallivor
