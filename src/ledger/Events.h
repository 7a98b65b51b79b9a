#pragma once

#include "ledger/LedgerLine.h"
#include "rules/Money.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <optional>

namespace tallivor {

// Every kind of ledger line, and every value its detail may carry, named here and nowhere else. A new kind of line
// is added here: an event, the keys of its detail, a builder; the line format and the check chain stay as they are.

// What a ledger line records.
enum class LedgerEvent
{
    Open,     // the program started
    Close,    // the program closed
    Add,      // a station was added
    Edit,     // a station's name or time was edited
    Start,    // a station was started
    Stop,     // a station was stopped
    Bill,     // a station was billed: the time and charge cleared are the bill
    Remove,   // a station was removed
    Price,    // the board's price per minute changed, or a station's own price (the line names the station)
    Language, // the language changed
    Gap,      // stations were marked running while nothing counted them
    Shift,    // an operator closed a shift
    Paid,     // a station's paid time was set, topped up, shortened or removed
    Due,      // a running station reached its paid end
    Ack,      // the operator acknowledged a due station
    Lost,     // lines that waited for the disk when the program ended: they are not in the ledger
    Sale,     // an item put on a station's tab, or sold at the counter (no station)
    Void,     // an item taken off a tab, or a counter sale given back: the sale it takes back
    Product,  // the products list changed: a product added, renamed, repriced, moved, removed, delivered, counted
    Setting,  // a room setting changed
};

// The values a detail carries ("paid=60:0; minutes=15"), by key.
enum class Detail
{
    Stations,  // open, close: how many stations the board holds
    Running,   // open, close, gap: how many of them run
    Seconds,   // gap: its length
    Uncounted, // gap: the seconds of it that were not counted
    Time,      // edit: the time before; shift: the time billed
    Name,      // edit: the name before
    State,     // remove: the state word of the removed station
    Before,    // price, language: what was in force before
    Language,  // language: the new language file
    Bills,     // shift: how many bills
    Billed,    // shift: the amount billed
    Paid,      // bill, paid, due: the paid time ("60:0"; empty: none)
    Minutes,   // paid: the minutes added or (below zero) taken off
    After,     // ack: the seconds since the station was due
    Lines,     // lost: how many lines
    Since,     // lost: the time of the first of them
    Product,   // sale, void, product: the product
    Quantity,  // sale, void: how many; product: how many were delivered
    Stock,     // sale, void, product: the count left of a counted product
    Sale,      // void: the check of the sale line it takes back
    Items,     // bill, remove: what the tab's items came to
    Change,    // product: what changed (added, name, price, place, removed, delivery, count, code, reorder)
    Value,     // product, setting: the new value
    Setting,   // setting: which one
    Sales,     // shift: the counter sales
    Voids,     // shift: the counter sales given back
};

// The event's name in the file ("bill"), and the event a name stands for.
QLatin1String eventName(LedgerEvent event);
std::optional<LedgerEvent> eventFromName(QStringView name);
// A detail key as written ("paid").
QLatin1String detailKey(Detail key);

// A value of a line's detail (the text after "key=" up to the next "; "); nothing when the detail has no such value.
std::optional<QString> detailOf(const LedgerEntry& entry, Detail key);
// The same as a whole number of seconds (0 when missing or not a number).
double detailNumber(const LedgerEntry& entry, Detail key);
// The paid time a line carries, in seconds; nothing when it names none.
std::optional<qint64> paidOf(const LedgerEntry& entry);

// What a line says of the station it names: its name, the time it has spent, its charge and the price it is charged.
struct StationFields
{
    QString station, spent, charge, price;
};

// The lines the program writes, each a ledger entry without its time stamp, which the ledger adds.
namespace line {

LedgerEntry open(int stations, int running, const QString& price);
LedgerEntry close(int stations, int running, const QString& price);
// For `seconds` the board was not watching while `running` stations were marked running; `uncounted` of them were
// not added to their times.
LedgerEntry gap(qint64 seconds, qint64 uncounted, int running, const QString& price);
// A station added, started or stopped: the row as it stands after it.
LedgerEntry ofStation(LedgerEvent event, const StationFields& station);
// An edit: the row after it, and the time and name before.
LedgerEntry edit(const StationFields& after, const QString& timeBefore, const QString& nameBefore);
// A bill: the time it cleared, the whole charge (the time's and the items'), the paid time the customer had and, for
// a tab, what its items came to.
LedgerEntry bill(const StationFields& billed, std::optional<qint64> paid, const std::optional<Money>& items = {});
LedgerEntry remove(const StationFields& removed, const QString& state, const std::optional<Money>& items = {});
// The board's price changed.
LedgerEntry boardPrice(const QString& price, const QString& before);
// A station's own price changed (before: empty for none); the line's price is the one charged from now on.
LedgerEntry ownPrice(const StationFields& station, const QString& before);
LedgerEntry language(const QString& price, const QString& language, const QString& before);
// A shift closed: its bills, what they came to and the time billed, then the counter sales and those given back
// (written only when there were any, so that a room without products writes the line it always wrote).
LedgerEntry shift(const QString& price, int bills, const Money& billed, const QString& time, const Money& sales = {},
                  const Money& voids = {});
// A paid time set, changed or removed (none); minutes: what it added or took off.
LedgerEntry paid(const StationFields& station, std::optional<qint64> paid, double minutes);
LedgerEntry due(const StationFields& station, qint64 paid);
LedgerEntry ack(const StationFields& station, qint64 secondsAfterDue);
LedgerEntry lost(int lines, const QString& since, const QString& price);
// An item put on a tab (station: the station's name) or sold at the counter (station empty); stock: what is left of a
// counted product.
LedgerEntry sale(const QString& station, const QString& product, qint64 quantity, const Money& price,
                 std::optional<int> stock);
// The item of a sale taken back (sale: that line's check).
LedgerEntry voided(const QString& station, const QString& product, qint64 quantity, const Money& price,
                   std::optional<int> stock, const QByteArray& sale);
// A change of the products list: the product (its name after the change), its price, what changed, its new value
// and the value before.
LedgerEntry product(const QString& name, const QString& price, const QString& change, const QString& value,
                    const QString& before);
LedgerEntry setting(const QString& name, const QString& value, const QString& before, const QString& price);

} // namespace line

} // namespace tallivor
