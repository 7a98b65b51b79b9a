#include "board/TabDesk.h"

namespace tallivor {

bool TabDesk::sell(int row, const QString& product, qint64 quantity)
{
    if (row != -1 && !m_table.isRow(row))
        return false;
    const std::optional<TabItem> item = m_till.sell(m_table.text(Column::Name, row), product, quantity);
    if (!item)
        return false;
    if (row >= 0) {
        m_table.at(row).record.tab.add(*item);
        m_table.announce(row);
    }
    return true;
}

bool TabDesk::takeOff(int row, std::size_t item)
{
    if (row == -1)
        return m_till.giveBackAtCounter(item);
    if (!m_table.isRow(row) || item >= m_table[row].record.tab.items().size() ||
        !m_till.giveBack(m_table.text(Column::Name, row), m_table[row].record.tab.items()[item]))
        return false;
    m_table.at(row).record.tab.takeAt(item);
    m_table.announce(row);
    return true;
}

std::optional<Bill> TabDesk::bill(StationFields asBilled, const std::optional<qint64>& paid, const Tab& tab,
                                  const QDateTime& at)
{
    if (asBilled.spent == clearedSpent && asBilled.charge == clearedCharge && !paid && tab.isEmpty())
        return std::nullopt; // a row already clear has nothing to bill
    Bill bill{
        asBilled.station, asBilled.spent, asBilled.charge, tab.items(), {}, Money::ofText(asBilled.charge), at, 0};
    if (!tab.isEmpty()) {
        bill.itemsTotal = tab.total();
        bill.total += tab.total();
        asBilled.charge = bill.total.chargeText();
    }
    bill.line = m_ledger.append(line::bill(asBilled, paid, bill.itemsTotal));
    return bill;
}

} // namespace tallivor
