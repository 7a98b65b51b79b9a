#include "board/ClockPass.h"

#include "board/PaidTime.h"
#include "rules/ClockRule.h"

#include <optional>

namespace tallivor {

ClockPass passClock(std::vector<Station>& rows, const QString& boardPrice, const QString& runningWord, qint64 seconds)
{
    ClockPass pass;
    PriceReader board(boardPrice); // read afresh at every completed minute: a new price charges from now on
    for (int i = 0; i < int(rows.size()); ++i) {
        Station& station = rows[std::size_t(i)];
        std::optional<PriceReader> own;
        if (station.record.price)
            own.emplace(*station.record.price); // a station with its own price is charged that at each minute
        PriceReader& price = own ? *own : board;
        const bool runs = station.text(Column::State) == runningWord;
        QString& spent = station.text(Column::Spent);
        QString& charge = station.text(Column::Charge);
        const RowChange change =
            seconds == 1 ? tickRow(spent, charge, runs, price) : advanceRow(spent, charge, runs, price, seconds);
        if (change == RowChange::None)
            continue;
        pass.firstSpent = pass.firstSpent < 0 ? i : pass.firstSpent;
        pass.lastSpent = i;
        if (change == RowChange::TimeAndCharge) {
            pass.firstCharged = pass.firstCharged < 0 ? i : pass.firstCharged;
            pass.lastCharged = i;
        }
        if (const std::optional<qint64> before = PaidTime::remaining(station.record)) {
            station.record.spent += seconds;
            if (PaidTime::crossesMark(*before, *before - seconds))
                pass.marked.push_back(i);
        }
    }
    return pass;
}

} // namespace tallivor
