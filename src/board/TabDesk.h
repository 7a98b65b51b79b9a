#pragma once

#include "board/StationEdit.h"
#include "board/StationTable.h"
#include "ledger/Events.h"
#include "till/Bill.h"
#include "till/Till.h"

#include <QDateTime>

#include <optional>

namespace tallivor {

// The stations' tabs at the till: items put on a station's tab or sold at the counter (row -1), taken off again,
// and the one bill of a station's time and tab. Each writes its lines through the till and the ledger; the board
// writes the files after it.
class TabDesk
{
public:
    TabDesk(StationTable& table, Till& till, Ledger& ledger) : m_table(table), m_till(till), m_ledger(ledger) {}

    // Puts quantity of the product (by its name or code) on the row's tab: false when the till refuses it.
    bool sell(int row, const QString& product, qint64 quantity);
    // Takes the item at an index of the row's tab off again: false for no such item.
    bool takeOff(int row, std::size_t item);
    // The bill of a station as it stood (its tab taken from it already) at a moment: its bill line written, the
    // charge on it the whole bill. None when there was nothing to bill: no time, charge, paid time or item.
    std::optional<Bill> bill(StationFields asBilled, const std::optional<qint64>& paid, const Tab& tab,
                             const QDateTime& at);

private:
    StationTable& m_table;
    Till& m_till;
    Ledger& m_ledger;
};

} // namespace tallivor
