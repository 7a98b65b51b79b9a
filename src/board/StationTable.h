#pragma once

#include "board/TextColumn.h"
#include "lang/Relabel.h"
#include "till/Tab.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace tallivor {

// The board's four columns, in the order they stand on the window.
enum class Column
{
    State,  // the state word: the running or the stopped word
    Name,   // the station's name
    Spent,  // the time spent, "minutes:seconds"
    Charge, // the charge so far
};
inline constexpr std::size_t columnCount = 4;

// A station's identity while the program runs: it survives the removal of other rows, and a removed station's
// identity is never given again. It is not written to the station file. Zero stands for no station.
using StationId = quint64;

// What the board keeps of a station beside its four texts.
struct StationRecord
{
    std::optional<QString> price; // its own price per minute
    std::optional<qint64> paid;   // its paid time, in seconds of time spent
    qint64 spent = 0;             // seconds spent, kept for a station with a paid time
    bool due = false;             // at or past its paid end
    bool acknowledged = false;    // due, and the operator has seen it
    QDateTime dueSince;           // when it became due
    Tab tab;                      // what the customer has put on the bill beside the time
};

// One row of the board: the four texts exactly as the station file and the clock rule read them, and the record.
struct Station
{
    StationId id = 0;
    std::array<QString, columnCount> texts;
    StationRecord record;

    const QString& text(Column column) const { return texts[std::size_t(column)]; }
    QString& text(Column column) { return texts[std::size_t(column)]; }
};

class StationTable;
enum class PaidState;

// One column of the table, as list boxes show it.
class StationColumn : public TextColumn
{
    Q_OBJECT
public:
    StationColumn(const StationTable& table, Column column) : m_table(table), m_column(column) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QString text(int row) const override;

private:
    friend class StationTable;
    const StationTable& m_table;
    const Column m_column;
};

// The station table: the one copy of the rows, in board order, each with its texts, record and identity. Every change
// of rows tells the four column models, naming the rows it changed.
class StationTable
{
public:
    StationTable();
    StationTable(const StationTable&) = delete;
    StationTable& operator=(const StationTable&) = delete;

    int size() const { return int(m_rows.size()); }
    bool isRow(int row) const { return row >= 0 && row < size(); }
    const Station& operator[](int row) const { return m_rows[std::size_t(row)]; }
    // The row's text in a column; the empty text for a row that does not exist.
    QString text(Column column, int row) const { return isRow(row) ? (*this)[row].text(column) : QString(); }
    StationColumn& column(Column column) { return *m_columns[std::size_t(column)]; }
    const StationColumn& column(Column column) const { return *m_columns[std::size_t(column)]; }

    // The identity of the station in the row (0 for none), and the row of a station (-1 once it is removed).
    StationId idOf(int row) const { return isRow(row) ? (*this)[row].id : 0; }
    int rowOf(StationId station) const;
    // Whether a station other than the one in the row (-1: any station) has the name, compared exactly.
    bool isNameTaken(const QString& name, int row = -1) const;
    // How many rows have the text in the column.
    int count(Column column, const QString& text) const;
    // How many stations carry a charge that no bill has settled yet.
    int unbilled() const;

    // The seconds the station has spent, and its paid time's state and what is left of it (none: an open session).
    qint64 spentSeconds(int row) const;
    PaidState paidState(int row) const;
    std::optional<qint64> remainingSeconds(int row) const;
    // Whether any station is due and not acknowledged: the alarm sounds.
    bool isAlarmSounding() const;

    // Appends rows, each given a new identity.
    void append(std::vector<Station> stations);
    void remove(int row);
    // Gives the state words of a language switch to the rows that carry the old ones.
    void relabel(const Relabel& relabel);
    // Gives a row's text in a column, telling that column's views.
    void setText(int row, Column column, const QString& text);

    // The rows for a change in place (the record, or the texts of many rows at once); announce what changed.
    Station& at(int row) { return m_rows[std::size_t(row)]; }
    std::vector<Station>& rows() { return m_rows; }
    const std::vector<Station>& rows() const { return m_rows; }
    // Tells the views of a column that rows first..last changed.
    void announce(Column column, int first, int last) { this->column(column).announceChanged(first, last); }
    // Tells every column's views that the row changed: it is drawn anew.
    void announce(int row);

private:
    std::vector<Station> m_rows;
    StationId m_lastId = 0;
    std::array<std::unique_ptr<StationColumn>, columnCount> m_columns;
};

} // namespace tallivor
