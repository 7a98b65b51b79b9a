#include "ledger/Totals.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace tallivor {
namespace {

// The paid time a line's detail carries ("paid=60:0"), in seconds, written as the station file writes it; nothing
// when it names none.
std::optional<qint64> paidSeconds(QStringView detail)
{
    const std::optional<QString> paid = detailValue(detail, QLatin1String("paid"));
    return paid ? paidSecondsOf(*paid) : std::nullopt;
}

double secondsBetween(const QString& from, const QString& to)
{
    return double(QDateTime::fromString(from, Qt::ISODate).secsTo(QDateTime::fromString(to, Qt::ISODate)));
}

} // namespace

PeriodTotals totalsOf(const std::vector<LedgerRecord>& records)
{
    PeriodTotals totals;
    QHash<QString, std::size_t> stationIndex;
    QHash<QString, std::vector<int>> unanswered; // per station, its due lines that no ack has followed yet
    for (std::size_t i = 0; i < records.size(); ++i) {
        const LedgerEntry& entry = records[i].entry;
        switch (records[i].event.value_or(LedgerEvent::Open)) {
        case LedgerEvent::Bill: {
            const Decimal charge = Decimal::fromText(entry.charge);
            const double seconds = secondsOf(entry.spent);
            ++totals.bills;
            totals.billed += charge;
            totals.seconds += seconds;
            const int hour = QStringView(entry.time).mid(11, 2).toInt(); // the local hour of the time stamp
            totals.byHour[std::size_t(std::clamp(hour, 0, 23))] += charge;
            auto found = stationIndex.find(entry.station);
            if (found == stationIndex.end()) {
                found = stationIndex.insert(entry.station, totals.stations.size());
                totals.stations.push_back({entry.station, 0, 0, {}});
            }
            StationTotal& station = totals.stations[*found];
            ++station.bills;
            station.seconds += seconds;
            station.amount += charge;
            const std::optional<qint64> paid = paidSeconds(entry.detail);
            if (paid && seconds > *paid)
                station.overtimeMinutes += std::floor(seconds / 60) - std::floor(*paid / 60);
            break;
        }
        case LedgerEvent::Due: unanswered[entry.station].push_back(int(i)); break;
        case LedgerEvent::Ack: {
            std::vector<int> dues = unanswered.take(entry.station);
            for (const int due : dues) {
                // The ack says how long it took after the station's latest due line, by the board's own clock; an
                // earlier one that went unanswered meanwhile is measured by the time stamps.
                const std::optional<double> after =
                    due == dues.back()
                        ? wholeNumber(detailValue(entry.detail, QLatin1String("after")).value_or(QString()))
                        : std::nullopt;
                const double took = after.value_or(secondsBetween(records[std::size_t(due)].entry.time, entry.time));
                if (took > ackGraceSeconds)
                    totals.looks.push_back({due, Notice::AckedLate, took});
            }
            break;
        }
        case LedgerEvent::Remove:
            if (!Decimal::fromText(entry.charge).isZero())
                totals.looks.push_back({int(i), Notice::RemovedWithCharge});
            break;
        case LedgerEvent::Edit: {
            const std::optional<QString> before = detailValue(entry.detail, QLatin1String("time"));
            if (before && secondsOf(entry.spent) < secondsOf(*before))
                totals.looks.push_back({int(i), Notice::TimeLowered});
            break;
        }
        case LedgerEvent::Gap: totals.looks.push_back({int(i), Notice::Gap}); break;
        case LedgerEvent::Price: totals.looks.push_back({int(i), Notice::PriceChanged}); break;
        default: break;
        }
    }
    for (const std::vector<int>& dues : std::as_const(unanswered)) {
        for (const int due : dues)
            totals.looks.push_back({due, Notice::NeverAcked});
    }
    std::sort(totals.looks.begin(), totals.looks.end(),
              [](const Look& a, const Look& b) { return a.record < b.record; });
    std::sort(totals.stations.begin(), totals.stations.end(),
              [](const StationTotal& a, const StationTotal& b) { return a.station < b.station; });
    return totals;
}

QString shiftDetail(const PeriodTotals& totals)
{
    return ledgerDetail({{QLatin1String("bills"), QString::number(totals.bills)},
                         {QLatin1String("billed"), totals.billed.text()},
                         {QLatin1String("time"), timeOfSeconds(totals.seconds)}});
}

} // namespace tallivor
