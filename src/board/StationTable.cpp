#include "board/StationTable.h"

#include "board/PaidTime.h"
#include "rules/Money.h"
#include "rules/TimeText.h"

#include <algorithm>

namespace tallivor {

int StationColumn::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.size();
}

QString StationColumn::text(int row) const
{
    return m_table.text(m_column, row);
}

StationTable::StationTable()
{
    for (std::size_t i = 0; i < columnCount; ++i)
        m_columns[i] = std::make_unique<StationColumn>(*this, Column(i));
}

int StationTable::rowOf(StationId station) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [station](const Station& s) { return station != 0 && s.id == station; });
    return found == m_rows.end() ? -1 : int(found - m_rows.begin());
}

bool StationTable::isNameTaken(const QString& name, int row) const
{
    for (int i = 0; i < size(); ++i) {
        if (i != row && m_rows[std::size_t(i)].text(Column::Name) == name)
            return true;
    }
    return false;
}

int StationTable::count(Column column, const QString& text) const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [&](const Station& s) { return s.text(column) == text; }));
}

int StationTable::unbilled() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const Station& s) { return owesMoney(s.text(Column::Charge)); }));
}

qint64 StationTable::spentSeconds(int row) const
{
    if (!isRow(row))
        return 0;
    const Station& station = (*this)[row];
    return station.record.paid ? station.record.spent : qint64(secondsOf(station.text(Column::Spent)));
}

PaidState StationTable::paidState(int row) const
{
    return isRow(row) ? PaidTime::state((*this)[row].record) : PaidState::None;
}

std::optional<qint64> StationTable::remainingSeconds(int row) const
{
    return isRow(row) ? PaidTime::remaining((*this)[row].record) : std::nullopt;
}

bool StationTable::isAlarmSounding() const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const Station& s) { return PaidTime::state(s.record) == PaidState::Due; });
}

void StationTable::append(std::vector<Station> stations)
{
    if (stations.empty())
        return;
    const int first = size(), last = first + int(stations.size()) - 1;
    for (auto& column : m_columns)
        column->beginInsertRows({}, first, last);
    m_rows.reserve(m_rows.size() + stations.size());
    for (Station& station : stations) {
        station.id = ++m_lastId;
        m_rows.push_back(std::move(station));
    }
    for (auto& column : m_columns)
        column->endInsertRows();
}

void StationTable::remove(int row)
{
    for (auto& column : m_columns)
        column->beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    for (auto& column : m_columns)
        column->endRemoveRows();
}

void StationTable::setText(int row, Column column, const QString& text)
{
    at(row).text(column) = text;
    announce(column, row, row);
}

void StationTable::relabel(const Relabel& relabel)
{
    int first = -1, last = -1;
    for (int row = 0; row < size(); ++row) {
        if (const QString* word = relabel.of(m_rows[std::size_t(row)].text(Column::State))) {
            m_rows[std::size_t(row)].text(Column::State) = *word;
            first = first < 0 ? row : first;
            last = row;
        }
    }
    announce(Column::State, first, last);
}

void StationTable::announce(int row)
{
    for (auto& column : m_columns)
        column->announceChanged(row, row);
}

} // namespace tallivor
