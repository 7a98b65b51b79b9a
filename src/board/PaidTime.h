#pragma once

#include "board/StationTable.h"

#include <QDateTime>

#include <optional>

namespace tallivor {

// How a station stands against its paid time, for the windows: drawn plain, amber in its last five minutes, red and
// blinking at its paid end until the operator acknowledges it, red after that.
enum class PaidState
{
    None,         // an open session: no paid time
    Paid,         // paid time ahead, more than five minutes of it
    Soon,         // five minutes or less ahead
    Due,          // at or past its paid end, not acknowledged yet: the alarm sounds
    Acknowledged, // past its paid end, acknowledged: the alarm is silent
};

// The rules of a station's paid time, over its record: what is left, when it turns amber and due, what + and - do.
class PaidTime
{
public:
    // The minutes before the paid end when a station turns amber, and what + and - add or take off, in seconds.
    static constexpr qint64 warning = 5 * 60;
    static constexpr qint64 step = 15 * 60;

    static PaidState state(const StationRecord& record);
    // The seconds of paid time left (below zero: past its end); none for an open session.
    static std::optional<qint64> remaining(const StationRecord& record);
    // Whether counting from `before` to `after` seconds left turns the station amber or brings it to its paid end:
    // its row is drawn anew, and its due state settled.
    static bool crossesMark(qint64 before, qint64 after);
    // Brings the due state in line with the time spent and the paid time. True when the station turned due now.
    static bool settleDue(StationRecord& record, const QDateTime& now);
    // The paid time after + (add) or -: + counts from the paid end when there is one, else from the time spent; -
    // takes a step off, and a paid time left with nothing ahead of the time spent is removed (none inside). Nothing
    // when there is nothing to change (- on an open session).
    static std::optional<std::optional<qint64>> toppedUp(const StationRecord& record, qint64 spent, bool add);
    // The operator has seen that the station is due: its alarm stops. True when that changed anything.
    static bool acknowledge(StationRecord& record);
};

} // namespace tallivor
