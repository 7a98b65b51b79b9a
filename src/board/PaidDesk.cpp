#include "board/PaidDesk.h"

#include "rules/TimeText.h"

namespace tallivor {

PaidDesk::PaidDesk(StationTable& table, Ledger& ledger, Clocks& clocks, std::function<StationFields(int)> fields,
                   QObject* parent)
    : QObject(parent), m_table(table), m_ledger(ledger), m_clocks(clocks), m_fields(std::move(fields))
{}

void PaidDesk::setPaidTime(int row, std::optional<qint64> seconds)
{
    StationRecord& record = m_table.at(row).record;
    if (record.paid == seconds)
        return;
    const std::optional<qint64> before = record.paid;
    if (!before)
        record.spent = qint64(secondsOf(m_table.text(Column::Spent, row)));
    record.paid = seconds;
    // Minutes added or taken off, measured from the time spent where there was or is no paid time.
    const qint64 from = before.value_or(record.spent), to = seconds.value_or(record.spent);
    m_ledger.append(line::paid(m_fields(row), seconds, double(to - from) / 60));
    settleDue(row);
    changed(row);
}

void PaidDesk::topUp(int row, bool add)
{
    if (const auto paid = PaidTime::toppedUp(m_table[row].record, m_table.spentSeconds(row), add))
        setPaidTime(row, *paid);
}

void PaidDesk::settleDue(int row, bool writeDue)
{
    StationRecord& record = m_table.at(row).record;
    if (!PaidTime::settleDue(record, m_clocks.now()))
        return;
    if (writeDue)
        m_ledger.append(line::due(m_fields(row), *record.paid));
    emit stationDue(m_table[row].id);
}

bool PaidDesk::acknowledge(int row)
{
    if (!m_table.isRow(row) || !PaidTime::acknowledge(m_table.at(row).record))
        return false;
    const qint64 after = std::max<qint64>(0, m_table[row].record.dueSince.secsTo(m_clocks.now()));
    m_ledger.append(line::ack(m_fields(row), after));
    changed(row);
    return true;
}

void PaidDesk::setSpent(int row, qint64 seconds)
{
    m_table.at(row).record.spent = seconds;
    settle(row);
}

void PaidDesk::settle(int row)
{
    settleDue(row);
    changed(row);
}

bool PaidDesk::acknowledgeAll()
{
    bool any = false;
    for (int row = 0; row < m_table.size(); ++row)
        any |= acknowledge(row);
    return any;
}

void PaidDesk::changed(int row)
{
    m_table.announce(row);
    emit paidStateChanged(m_table[row].id);
}

} // namespace tallivor
