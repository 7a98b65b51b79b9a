#include "ledger/LedgerLine.h"

#include "store/TextCodec.h"

#include <QCryptographicHash>
#include <QDateTime>

#include <array>

namespace tallivor {
namespace {

void appendField(QByteArray& out, QStringView field)
{
    QByteArray bytes = encodeUtf8Keeping(field);
    bytes.replace('\r', ' ').replace('\n', ' ');
    if (!bytes.contains(',') && !bytes.contains('"')) {
        out += bytes;
        return;
    }
    out += '"';
    out += bytes.replace("\"", "\"\"");
    out += '"';
}

} // namespace

QByteArray ledgerFieldBytes(const LedgerEntry& entry)
{
    QByteArray out;
    const QString* fields[] = {&entry.time,   &entry.event, &entry.station, &entry.spent,
                               &entry.charge, &entry.price, &entry.detail};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i > 0)
            out += ',';
        appendField(out, *fields[i]);
    }
    return out;
}

QByteArray ledgerCheck(QByteArrayView previousCheck, QByteArrayView fieldBytes)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(previousCheck);
    hash.addData(QByteArrayView(","));
    hash.addData(fieldBytes);
    return hash.result().left(8).toHex();
}

QByteArray ledgerLine(const LedgerEntry& entry, QByteArray& previousCheck)
{
    QByteArray line = ledgerFieldBytes(entry);
    previousCheck = ledgerCheck(previousCheck, line);
    line += ',';
    line += previousCheck;
    line += "\r\n";
    return line;
}

bool isLedgerCheck(QByteArrayView text)
{
    if (text.size() != 16)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

std::optional<LedgerEntry> parseLedgerFields(QByteArrayView bytes)
{
    std::array<QString, ledgerColumns - 1> fields;
    std::size_t count = 0;
    qsizetype i = 0;
    while (true) {
        if (count == fields.size())
            return std::nullopt;
        QByteArray field;
        if (i < bytes.size() && bytes[i] == '"') {
            // A quoted field runs to the quote that is not doubled; only a comma or the end may follow it.
            for (++i;; ++i) {
                if (i >= bytes.size())
                    return std::nullopt;
                if (bytes[i] == '"') {
                    if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += bytes[i];
            }
            if (i < bytes.size() && bytes[i] != ',')
                return std::nullopt;
        } else {
            const qsizetype comma = bytes.indexOf(',', i);
            const qsizetype end = comma < 0 ? bytes.size() : comma;
            field = bytes.sliced(i, end - i).toByteArray();
            if (field.contains('"'))
                return std::nullopt;
            i = end;
        }
        fields[count++] = decodeUtf8Keeping(field);
        if (i >= bytes.size())
            break;
        ++i; // the comma
    }
    if (count != fields.size())
        return std::nullopt;
    return LedgerEntry{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

QString ledgerTime(const QDateTime& time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) + QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ledgerFileName(QDate day)
{
    return day.toString(QStringLiteral("'tallivor-ledger-'yyyy-MM'.csv'"));
}

std::optional<QDate> ledgerFileMonth(QStringView fileName)
{
    const QDate month = QDate::fromString(fileName.toString(), QStringLiteral("'tallivor-ledger-'yyyy-MM'.csv'"));
    return month.isValid() ? std::optional<QDate>(month) : std::nullopt;
}

} // namespace tallivor
