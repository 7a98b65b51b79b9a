#include "ledger/Totals.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace tallivor {

PeriodTotals totalsOf(const std::vector<LedgerRecord>& records)
{
    PeriodTotals totals;
    QHash<QString, std::size_t> stationIndex;
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
            break;
        }
        case LedgerEvent::Remove:
            if (!Decimal::fromText(entry.charge).isZero())
                totals.looks.emplace_back(int(i), Notice::RemovedWithCharge);
            break;
        case LedgerEvent::Edit: {
            const std::optional<QString> before = detailValue(entry.detail, QLatin1String("time"));
            if (before && secondsOf(entry.spent) < secondsOf(*before))
                totals.looks.emplace_back(int(i), Notice::TimeLowered);
            break;
        }
        case LedgerEvent::Gap: totals.looks.emplace_back(int(i), Notice::Gap); break;
        case LedgerEvent::Price: totals.looks.emplace_back(int(i), Notice::PriceChanged); break;
        default: break;
        }
    }
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
