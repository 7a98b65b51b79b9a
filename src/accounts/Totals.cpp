#include "accounts/Totals.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace tallivor {
namespace {

double secondsBetween(const QString& from, const QString& to)
{
    return double(QDateTime::fromString(from, Qt::ISODate).secsTo(QDateTime::fromString(to, Qt::ISODate)));
}

} // namespace

void Totals::add(const LedgerRecord& record, int index)
{
    const LedgerEntry& entry = record.entry;
    switch (record.event.value_or(LedgerEvent::Open)) {
    case LedgerEvent::Sale: addItem(record, index, false); break;
    case LedgerEvent::Void: addItem(record, index, true); break;
    case LedgerEvent::Bill: {
        const Money charge = Money::ofText(entry.charge);
        const Money items = Money::ofText(detailOf(entry, Detail::Items).value_or(QString()));
        m_totals.items += items;
        const double seconds = ledgerSpentSeconds(entry.spent);
        ++m_totals.bills;
        m_totals.billed += charge;
        m_totals.seconds += seconds;
        const int hour = QStringView(entry.time).mid(11, 2).toInt(); // the local hour of the time stamp
        m_totals.byHour[std::size_t(std::clamp(hour, 0, 23))] += charge;
        auto found = m_stationIndex.find(entry.station);
        if (found == m_stationIndex.end()) {
            found = m_stationIndex.insert(entry.station, m_totals.stations.size());
            StationTotal fresh;
            fresh.station = entry.station;
            m_totals.stations.push_back(fresh);
        }
        StationTotal& station = m_totals.stations[*found];
        ++station.bills;
        station.seconds += seconds;
        station.amount += charge;
        station.items += items;
        const std::optional<qint64> paid = paidOf(entry);
        if (paid && seconds > double(*paid))
            station.overtimeMinutes += std::floor(seconds / 60) - std::floor(double(*paid) / 60);
        break;
    }
    case LedgerEvent::Due: m_unanswered[entry.station].push_back({index, entry.time}); break;
    case LedgerEvent::Ack: {
        const std::vector<std::pair<int, QString>> dues = m_unanswered.take(entry.station);
        for (const auto& [due, time] : dues) {
            // The ack says how long it took after the station's latest due line, by the board's own clock; an
            // earlier one that went unanswered meanwhile is measured by the time stamps.
            const std::optional<QString> after =
                due == dues.back().first ? detailOf(entry, Detail::After) : std::nullopt;
            const double took = (after ? wholeNumber(*after) : std::nullopt).value_or(secondsBetween(time, entry.time));
            if (took > ackGraceSeconds)
                m_totals.looks.push_back({due, Notice::AckedLate, took});
        }
        break;
    }
    case LedgerEvent::Remove:
        if (owesMoney(entry.charge) || owesMoney(detailOf(entry, Detail::Items).value_or(QString())))
            m_totals.looks.push_back({index, Notice::RemovedWithCharge});
        break;
    case LedgerEvent::Edit: {
        const std::optional<QString> before = detailOf(entry, Detail::Time);
        if (before && ledgerSpentSeconds(entry.spent) < secondsOf(*before))
            m_totals.looks.push_back({index, Notice::TimeLowered});
        break;
    }
    case LedgerEvent::Gap: m_totals.looks.push_back({index, Notice::Gap}); break;
    case LedgerEvent::Price: m_totals.looks.push_back({index, Notice::PriceChanged}); break;
    case LedgerEvent::Lost: m_totals.looks.push_back({index, Notice::LinesLost}); break;
    default: break;
    }
}

void Totals::addItem(const LedgerRecord& record, int index, bool voided)
{
    const LedgerEntry& entry = record.entry;
    const QString product = detailOf(entry, Detail::Product).value_or(QString());
    const qint64 quantity = qint64(detailNumber(entry, Detail::Quantity));
    const Money amount = Money::ofText(entry.charge);
    const bool counter = entry.station.isEmpty();
    auto found = m_productIndex.find(product);
    if (found == m_productIndex.end()) {
        found = m_productIndex.insert(product, m_totals.products.size());
        ProductTotal fresh;
        fresh.product = product;
        m_totals.products.push_back(fresh);
    }
    ProductTotal& total = m_totals.products[*found];
    const int hour = std::clamp(QStringView(entry.time).mid(11, 2).toInt(), 0, 23);
    if (voided) {
        total.voidQuantity += quantity;
        total.voidAmount += amount;
        m_totals.looks.push_back({index, Notice::Voided});
        if (counter) {
            m_totals.counterVoids += amount;
            m_totals.byHour[std::size_t(hour)] -= amount;
        }
    } else {
        total.quantity += quantity;
        total.amount += amount;
        if (counter) {
            total.counterQuantity += quantity;
            total.counterAmount += amount;
            m_totals.counterSales += amount;
            m_totals.byHour[std::size_t(hour)] += amount;
        }
    }
    if (const std::optional<QString> stock = detailOf(entry, Detail::Stock)) {
        const int left = stock->toInt();
        if (!voided && left < 0 && m_lastStock.value(product, {-1, 0}).second >= 0)
            m_totals.looks.push_back({index, Notice::StockBelowZero});
        m_lastStock.insert(product, {index, left});
    }
}

PeriodTotals Totals::figures() const
{
    PeriodTotals figures = m_totals;
    // A counted product left at or below its reorder count by the period's last line of it.
    for (auto last = m_lastStock.begin(); last != m_lastStock.end(); ++last) {
        const auto reorder = m_reorder.find(last.key());
        if (reorder != m_reorder.end() && last->second <= *reorder)
            figures.looks.push_back({last->first, Notice::StockLow});
    }
    std::sort(figures.products.begin(), figures.products.end(),
              [](const ProductTotal& a, const ProductTotal& b) { return a.product < b.product; });
    for (const std::vector<std::pair<int, QString>>& dues : m_unanswered) {
        for (const auto& due : dues)
            figures.looks.push_back({due.first, Notice::NeverAcked});
    }
    std::stable_sort(figures.looks.begin(), figures.looks.end(),
                     [](const Look& a, const Look& b) { return a.record < b.record; });
    std::sort(figures.stations.begin(), figures.stations.end(),
              [](const StationTotal& a, const StationTotal& b) { return a.station < b.station; });
    return figures;
}

PeriodTotals totalsOf(const std::vector<LedgerRecord>& records)
{
    Totals totals;
    for (std::size_t i = 0; i < records.size(); ++i)
        totals.add(records[i], int(i));
    return totals.figures();
}

} // namespace tallivor
