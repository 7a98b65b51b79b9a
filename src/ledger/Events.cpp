#include "ledger/Events.h"

#include "rules/Money.h"
#include "rules/Numbers.h"
#include "rules/TimeText.h"

#include <QStringList>

#include <array>
#include <initializer_list>
#include <utility>

namespace tallivor {
namespace {

constexpr std::array<const char*, 20> eventNames{"open",   "close", "add",      "edit", "start",   "stop",   "bill",
                                                 "remove", "price", "language", "gap",  "shift",   "paid",   "due",
                                                 "ack",    "lost",  "sale",     "void", "product", "setting"};

constexpr std::array<const char*, 26> detailKeys{
    "stations", "running", "seconds", "uncounted", "time",  "name",    "state", "before",  "language",
    "bills",    "billed",  "paid",    "minutes",   "after", "lines",   "since", "product", "quantity",
    "stock",    "sale",    "items",   "change",    "value", "setting", "sales", "voids"};

// A detail made of named values, "seconds=3600; running=3".
// A free text inside a detail, its '%', ';' and '=' written as %25, %3B and %3D: the detail still splits into its
// values, and the text reads back whole.
QString escapedValue(QString text)
{
    return text.replace(u'%', QLatin1String("%25"))
        .replace(u';', QLatin1String("%3B"))
        .replace(u'=', QLatin1String("%3D"));
}

QString detailText(std::initializer_list<std::pair<Detail, QString>> values)
{
    QString detail;
    for (const auto& [key, value] : values) {
        if (!detail.isEmpty())
            detail += QLatin1String("; ");
        detail += detailKey(key) + QLatin1Char('=') + value;
    }
    return detail;
}

LedgerEntry entry(LedgerEvent event, const StationFields& station, QString detail = {})
{
    return {{},
            eventName(event),
            station.station,
            ledgerSpentText(station.spent),
            station.charge,
            station.price,
            std::move(detail)};
}

LedgerEntry boardEntry(LedgerEvent event, const QString& price, QString detail)
{
    return entry(event, {{}, {}, {}, price}, std::move(detail));
}

} // namespace

QLatin1String eventName(LedgerEvent event)
{
    return QLatin1String(eventNames[std::size_t(event)]);
}

std::optional<LedgerEvent> eventFromName(QStringView name)
{
    for (std::size_t i = 0; i < eventNames.size(); ++i) {
        if (name == QLatin1String(eventNames[i]))
            return LedgerEvent(i);
    }
    return std::nullopt;
}

QLatin1String detailKey(Detail key)
{
    return QLatin1String(detailKeys[std::size_t(key)]);
}

std::optional<QString> detailOf(const LedgerEntry& entry, Detail key)
{
    const QStringView detail = entry.detail;
    const QLatin1String name = detailKey(key);
    for (qsizetype start = 0; start <= detail.size();) {
        qsizetype end = detail.indexOf(QLatin1String("; "), start);
        if (end < 0)
            end = detail.size();
        const QStringView part = detail.sliced(start, end - start);
        if (part.startsWith(name) && part.sliced(name.size()).startsWith(u'='))
            return part.sliced(name.size() + 1).toString();
        start = end + 2;
    }
    return std::nullopt;
}

double detailNumber(const LedgerEntry& entry, Detail key)
{
    return wholeNumber(detailOf(entry, key).value_or(QString())).value_or(0);
}

std::optional<qint64> paidOf(const LedgerEntry& entry)
{
    const std::optional<QString> paid = detailOf(entry, Detail::Paid);
    return paid ? paidSecondsOf(*paid) : std::nullopt;
}

namespace line {

LedgerEntry open(int stations, int running, const QString& price)
{
    return boardEntry(
        LedgerEvent::Open, price,
        detailText({{Detail::Stations, QString::number(stations)}, {Detail::Running, QString::number(running)}}));
}

LedgerEntry close(int stations, int running, const QString& price)
{
    LedgerEntry closed = open(stations, running, price);
    closed.event = eventName(LedgerEvent::Close);
    return closed;
}

LedgerEntry gap(qint64 seconds, qint64 uncounted, int running, const QString& price)
{
    return boardEntry(LedgerEvent::Gap, price,
                      detailText({{Detail::Seconds, QString::number(seconds)},
                                  {Detail::Uncounted, QString::number(uncounted)},
                                  {Detail::Running, QString::number(running)}}));
}

LedgerEntry ofStation(LedgerEvent event, const StationFields& station)
{
    return entry(event, station);
}

LedgerEntry edit(const StationFields& after, const QString& timeBefore, const QString& nameBefore)
{
    // The time first: a name may hold "; ", a time from the editor never does.
    return entry(LedgerEvent::Edit, after, detailText({{Detail::Time, timeBefore}, {Detail::Name, nameBefore}}));
}

LedgerEntry bill(const StationFields& billed, std::optional<qint64> paid, const std::optional<Money>& items)
{
    QStringList detail;
    if (paid)
        detail << detailText({{Detail::Paid, paidTimeText(*paid)}});
    if (items)
        detail << detailText({{Detail::Items, items->chargeText()}});
    return entry(LedgerEvent::Bill, billed, detail.join(QLatin1String("; ")));
}

LedgerEntry remove(const StationFields& removed, const QString& state, const std::optional<Money>& items)
{
    QString detail = detailText({{Detail::State, state}});
    if (items)
        detail += QLatin1String("; ") + detailText({{Detail::Items, items->chargeText()}});
    return entry(LedgerEvent::Remove, removed, detail);
}

LedgerEntry boardPrice(const QString& price, const QString& before)
{
    return boardEntry(LedgerEvent::Price, price, detailText({{Detail::Before, before}}));
}

LedgerEntry ownPrice(const StationFields& station, const QString& before)
{
    return entry(LedgerEvent::Price, station, detailText({{Detail::Before, before}}));
}

LedgerEntry language(const QString& price, const QString& language, const QString& before)
{
    return boardEntry(LedgerEvent::Language, price,
                      detailText({{Detail::Language, language}, {Detail::Before, before}}));
}

LedgerEntry shift(const QString& price, int bills, const Money& billed, const QString& time, const Money& sales,
                  const Money& voids)
{
    QString detail =
        detailText({{Detail::Bills, QString::number(bills)}, {Detail::Billed, billed.text()}, {Detail::Time, time}});
    if (!sales.isZero() || !voids.isZero())
        detail += QLatin1String("; ") + detailText({{Detail::Sales, sales.text()}, {Detail::Voids, voids.text()}});
    return boardEntry(LedgerEvent::Shift, price, detail);
}

LedgerEntry paid(const StationFields& station, std::optional<qint64> paid, double minutes)
{
    return entry(
        LedgerEvent::Paid, station,
        detailText({{Detail::Paid, paid ? paidTimeText(*paid) : QString()}, {Detail::Minutes, numberText(minutes)}}));
}

LedgerEntry due(const StationFields& station, qint64 paid)
{
    return entry(LedgerEvent::Due, station, detailText({{Detail::Paid, paidTimeText(paid)}}));
}

LedgerEntry ack(const StationFields& station, qint64 secondsAfterDue)
{
    return entry(LedgerEvent::Ack, station, detailText({{Detail::After, QString::number(secondsAfterDue)}}));
}

LedgerEntry lost(int lines, const QString& since, const QString& price)
{
    return boardEntry(LedgerEvent::Lost, price,
                      detailText({{Detail::Lines, QString::number(lines)}, {Detail::Since, since}}));
}

namespace {

LedgerEntry itemLine(LedgerEvent event, const QString& station, const QString& product, qint64 quantity,
                     const Money& price, std::optional<int> stock, const QByteArray& sale)
{
    QString detail = detailText({{Detail::Product, product}, {Detail::Quantity, QString::number(quantity)}});
    if (stock)
        detail += QLatin1String("; ") + detailText({{Detail::Stock, QString::number(*stock)}});
    if (!sale.isEmpty())
        detail += QLatin1String("; ") + detailText({{Detail::Sale, QString::fromLatin1(sale)}});
    return entry(event, {station, {}, price.times(quantity).chargeText(), price.chargeText()}, detail);
}

} // namespace

LedgerEntry sale(const QString& station, const QString& product, qint64 quantity, const Money& price,
                 std::optional<int> stock)
{
    return itemLine(LedgerEvent::Sale, station, product, quantity, price, stock, {});
}

LedgerEntry voided(const QString& station, const QString& product, qint64 quantity, const Money& price,
                   std::optional<int> stock, const QByteArray& sale)
{
    return itemLine(LedgerEvent::Void, station, product, quantity, price, stock, sale);
}

LedgerEntry product(const QString& name, const QString& price, const QString& change, const QString& value,
                    const QString& before)
{
    return boardEntry(
        LedgerEvent::Product, price,
        detailText(
            {{Detail::Product, name}, {Detail::Change, change}, {Detail::Value, value}, {Detail::Before, before}}));
}

LedgerEntry setting(const QString& name, const QString& value, const QString& before, const QString& price)
{
    return boardEntry(
        LedgerEvent::Setting, price,
        detailText(
            {{Detail::Setting, name}, {Detail::Value, escapedValue(value)}, {Detail::Before, escapedValue(before)}}));
}

} // namespace line

} // namespace tallivor
