#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class QDateTime;

namespace tallivor {

// The fields of a ledger line before its check, in column order.
struct LedgerEntry
{
    QString time, event, station, spent, charge, price, detail;
};

// The first line of every month file: the column names.
inline constexpr char ledgerHeading[] = "time,event,station,spent,charge,price,detail,check";
inline constexpr int ledgerColumns = 8;
// The check the first line of a month file chains on.
inline constexpr char ledgerFirstCheck[] = "0000000000000000";

// The line's fields as they stand in the file, without the check and the line end: comma-separated, a field quoted
// (RFC 4180: in double quotes, a quote doubled) when it holds a comma or a quote. A CR or LF inside a field becomes a
// blank, so that every line of the file is one physical line and a damaged line never swallows the next. UTF-8,
// with any byte that a damaged station file carried written back as it was.
QByteArray ledgerFieldBytes(const LedgerEntry& entry);

// The check of a line: the first 16 hex digits of SHA-256 over the previous line's check, a comma and this line's
// field bytes. A line changed, inserted or deleted by hand no longer chains; anyone who recomputes the chain can
// still forge it.
QByteArray ledgerCheck(QByteArrayView previousCheck, QByteArrayView fieldBytes);

// The whole line: fields, comma, check, CR LF. previousCheck is the check it chains on; afterwards it holds this
// line's check, for the next line.
QByteArray ledgerLine(const LedgerEntry& entry, QByteArray& previousCheck);

// A check as written: 16 lower-case hex digits.
bool isLedgerCheck(QByteArrayView text);

// The fields of a line's field bytes (the line up to its last comma), unquoted; nothing when the text is not seven
// well-formed fields.
std::optional<LedgerEntry> parseLedgerFields(QByteArrayView fieldBytes);

// A time stamp as the ledger writes it: local date and time to the second with the UTC offset,
// "2026-12-07T14:03:22+01:00".
QString ledgerTime(const QDateTime& time);

// The month file that holds the lines of a day: "tallivor-ledger-2026-12.csv".
QString ledgerFileName(QDate day);
// The month of a ledger file name; nothing for any other name.
std::optional<QDate> ledgerFileMonth(QStringView fileName);

} // namespace tallivor
