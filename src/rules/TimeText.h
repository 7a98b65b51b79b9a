#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallivor {

// The time a station has spent, as the board shows it: the minutes, ":" and the seconds ("00:00", "12:34", "1:0").
// The pieces are kept as they are written: no padding, no range check, no conversion to numbers.
struct TimeText
{
    QStringView minutes; // the text before the first ":", or the whole text when it has no ":"
    QStringView seconds; // the text between the first and the second ":" (or the end); empty without a ":"
    bool hasColon = false;
};

// The minutes and seconds pieces of a time; pieces after a second ":" are dropped.
TimeText splitTime(QStringView time);

// The time text made of a minutes and a seconds piece, exactly as they stand.
QString joinTime(QStringView minutes, QStringView seconds);

// The seconds of a time text ("12:34" is 754); 0 when it is not minutes and seconds.
double secondsOf(QStringView time);
// Seconds as the board writes a time: minutes, ":", two-digit seconds ("12:05").
QString timeOfSeconds(double seconds);
// Seconds as hours, two-digit minutes and two-digit seconds ("6298:07:24", "0:46:21"): how the report shows a time
// billed, which runs to thousands of minutes in a month.
QString hoursText(double seconds);

// A paid time as the station file holds it: whole minutes, ":" and the seconds (0 to 59), digits only ("60:0",
// "42:34"); nothing for any other text. Paid times past 2^31 minutes are none either.
std::optional<qint64> paidSecondsOf(QStringView text);
// A paid time written for the station file: minutes and seconds without leading zeros ("60:0", "42:34").
QString paidTimeText(qint64 seconds);

// The time spent as new ledger lines write it: a time of whole minutes and seconds as hours, minutes and seconds
// ("12:34" is "0:12:34"), which spreadsheets read as a duration; any other text as it stands.
QString ledgerSpentText(QStringView stationTime);
// The seconds of a ledger line's time spent, in either form: "0:12:34" and, in older lines, "12:34".
double ledgerSpentSeconds(QStringView spent);
// A ledger line's time spent as the board writes a time: "0:12:34" is "12:34", "0:03:00" is "3:0".
QString stationTimeOf(QStringView spent);

} // namespace tallivor
