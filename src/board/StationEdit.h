#pragma once

#include <QString>

#include <optional>

namespace tallivor {

class StationTable;

// What an add or an edit of a station gives it: a name, and each of the rest only when it is to change (an edit keeps
// what the station has now of every part it is not given, its live time above all).
struct StationEdit
{
    QString name;
    std::optional<QString> spent;                // the time spent, "minutes:seconds"
    std::optional<std::optional<QString>> price; // its own price; none inside: the board's price again
    std::optional<std::optional<qint64>> paid;   // its paid time in seconds; none inside: no paid time
};

// A station's time and charge when it has none: added so, and once billed.
inline const QString clearedSpent = QStringLiteral("00:00");
inline const QString clearedCharge = QStringLiteral("00");

// Which part of an add or an edit was refused; the whole operation then changed nothing.
enum class Refusal
{
    None,  // accepted and applied
    Name,  // empty, another station's, not a field of the station file, or no room (a full board, a station gone)
    Spent, // not a field of the station file
    Price, // no price
};

// Checks an add (row -1) or an edit of the row against the table before anything of it is applied.
Refusal refusalOf(const StationTable& table, int row, const StationEdit& edit);

} // namespace tallivor
