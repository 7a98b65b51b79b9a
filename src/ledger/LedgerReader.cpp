#include "ledger/LedgerReader.h"

#include "store/DataFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QFile>

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

void readMonthFile(const QString& folder, const QString& name, const std::function<bool(QByteArrayView day)>& wanted,
                   const std::function<void(LedgerRecord&& record)>& take, std::vector<FileFinding>& findings)
{
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(name));
    if (!bytes)
        return;
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
}

namespace {

// The time stamp of a line, its first field.
QDateTime stampOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    return QDateTime::fromString(QString::fromLatin1(line.first(comma < 0 ? 0 : comma)), Qt::ISODate);
}

// The lines of a file from the first stamped at or after since, each without its line end.
std::vector<QByteArray> tailLines(const QString& path, const QDateTime& since)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    for (qint64 chunk = 64 * 1024;; chunk *= 4) {
        const qint64 from = std::max<qint64>(0, size - chunk);
        if (!file.seek(from))
            return {};
        QList<QByteArray> lines = file.read(size - from).split('\n');
        if (from > 0)
            lines.removeFirst(); // a line cut by where the chunk begins
        const auto first =
            std::find_if(lines.begin(), lines.end(), [](const QByteArray& l) { return stampOf(l).isValid(); });
        if (from > 0 && (first == lines.end() || stampOf(*first) >= since))
            continue; // the lines since may begin before this chunk
        std::vector<QByteArray> taken;
        for (QByteArray& line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            const QDateTime stamp = stampOf(line);
            if (stamp.isValid() && stamp >= since)
                taken.push_back(line);
        }
        return taken;
    }
}

} // namespace

std::vector<LedgerRecord> ledgerLinesSince(const QString& folder, const QDateTime& since)
{
    const QDateTime second = since.addMSecs(-since.time().msec());
    const QString first = ledgerFileName(second.toLocalTime().date());
    std::vector<LedgerRecord> records;
    for (const QString& name : ledgerMonthFiles(folder)) {
        if (name < first)
            continue;
        for (const QByteArray& line : tailLines(QDir(folder).filePath(name), second)) {
            const qsizetype comma = line.lastIndexOf(',');
            std::optional<LedgerEntry> entry =
                parseLedgerFields(QByteArrayView(line).first(std::max<qsizetype>(0, comma)));
            if (comma < 0 || !isLedgerCheck(QByteArrayView(line).sliced(comma + 1)) || !entry)
                continue;
            LedgerRecord record{std::move(*entry), line.sliced(comma + 1), {}};
            record.event = eventFromName(record.entry.event);
            records.push_back(std::move(record));
        }
    }
    return records;
}

QByteArray ledgerFileBytes(const std::vector<LedgerRecord>& records)
{
    QByteArray bytes = QByteArray(utf8ByteOrderMark) + ledgerHeading + "\r\n";
    for (const LedgerRecord& record : records)
        bytes += ledgerFieldBytes(record.entry) + ',' + record.check + "\r\n";
    return bytes;
}

} // namespace tallivor
