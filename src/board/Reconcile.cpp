#include "board/Reconcile.h"

#include "rules/TimeText.h"

namespace tallivor {
namespace {

int rowNamed(const StationTable& table, const QString& name)
{
    for (int row = 0; row < table.size(); ++row) {
        if (table[row].text(Column::Name) == name)
            return row;
    }
    return -1;
}

} // namespace

Replayed replayLines(const std::vector<LedgerRecord>& lines, StationTable& table, const StateWords& words,
                     const QString& boardPrice)
{
    Replayed replayed;
    QString price = boardPrice;
    const auto set = [&](int row, Column column, const QString& text) {
        if (table[row].text(column) != text)
            table.setText(row, column, text);
    };
    for (const LedgerRecord& line : lines) {
        const LedgerEntry& entry = line.entry;
        int row = rowNamed(table, entry.station);
        switch (line.event.value_or(LedgerEvent::Open)) {
        case LedgerEvent::Add:
            if (row < 0 && !entry.station.isEmpty()) {
                Station station;
                station.texts = {words.stopped, entry.station, stationTimeOf(entry.spent), entry.charge};
                table.append({station});
            }
            break;
        case LedgerEvent::Edit: {
            // Renamed from the name before, unless the file has the new name already.
            const int before = row < 0 ? rowNamed(table, detailOf(entry, Detail::Name).value_or(QString())) : row;
            if (before < 0)
                break;
            set(before, Column::Name, entry.station);
            set(before, Column::Spent, stationTimeOf(entry.spent));
            StationRecord& record = table.at(before).record;
            if (record.paid)
                record.spent = qint64(ledgerSpentSeconds(entry.spent));
            break;
        }
        case LedgerEvent::Start:
        case LedgerEvent::Stop:
            if (row >= 0)
                set(row, Column::State, line.event == LedgerEvent::Start ? words.running : words.stopped);
            break;
        case LedgerEvent::Bill:
            if (row >= 0) {
                set(row, Column::Spent, QStringLiteral("00:00"));
                set(row, Column::Charge, QStringLiteral("00"));
                StationRecord& record = table.at(row).record;
                record.paid.reset();
                record.spent = 0;
            }
            break;
        case LedgerEvent::Remove:
            if (row >= 0)
                table.remove(row);
            break;
        case LedgerEvent::Price:
            if (entry.station.isEmpty()) {
                price = entry.price;
                replayed.price = price;
            } else if (row >= 0) {
                // A station charged the board's price has no price of its own.
                const std::optional<QString> own = entry.price == price ? std::nullopt : std::optional(entry.price);
                table.at(row).record.price = own;
            }
            break;
        case LedgerEvent::Paid:
            if (row >= 0) {
                StationRecord& record = table.at(row).record;
                const std::optional<qint64> paid = paidOf(entry);
                if (!record.paid)
                    record.spent = qint64(secondsOf(table[row].text(Column::Spent)));
                record.paid = paid;
            }
            break;
        case LedgerEvent::Language: replayed.language = detailOf(entry, Detail::Language); break;
        default: break;
        }
    }
    return replayed;
}

} // namespace tallivor
