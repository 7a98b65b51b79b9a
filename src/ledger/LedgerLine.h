#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>
#include <optional>
#include <utility>

class QDateTime;

namespace tallivor {

// What a ledger line records.
enum class LedgerEvent
{
    Open,     // the program started
    Close,    // the program closed
    Add,      // a station was added
    Edit,     // a station's name or time was edited
    Start,    // a station was started
    Stop,     // a station was stopped
    Bill,     // a reset: the time and charge it cleared are the bill
    Remove,   // a station was removed
    Price,    // the board's price per minute changed, or a station's own price (the line names the station)
    Language, // the language changed
    Gap,      // stations were marked running while nothing counted them
    Shift,    // an operator closed a shift
    Paid,     // a station's paid time was set, topped up, shortened or removed: "paid=42:34; minutes=15"
    Due,      // a running station reached its paid end: "paid=60:0"
    Ack,      // the operator acknowledged a due station: "after=75", the seconds since its due line
};

// The event's name in the file ("bill"), and the event a name stands for.
QLatin1String eventName(LedgerEvent event);
std::optional<LedgerEvent> eventFromName(QStringView name);

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

// A detail made of named values, "seconds=3600; running=3", and one value read back from it (the text after
// "key=" up to the next "; "); nothing when the detail has no such value.
QString ledgerDetail(std::initializer_list<std::pair<QLatin1String, QString>> values);
std::optional<QString> detailValue(QStringView detail, QLatin1String key);

// A time stamp as the ledger writes it: local date and time to the second with the UTC offset,
// "2026-12-07T14:03:22+01:00".
QString ledgerTime(const QDateTime& time);

// The month file that holds the lines of a day: "tallivor-ledger-2026-12.csv".
QString ledgerFileName(QDate day);
// The month of a ledger file name; nothing for any other name.
std::optional<QDate> ledgerFileMonth(QStringView fileName);

} // namespace tallivor
