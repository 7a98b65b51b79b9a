#pragma once

#include "board/Clocks.h"

namespace tallivor {

// The seconds that the board's clock applies at each of its timer events. They are counted on the steady clocks,
// not by the events, which Qt drops while the program is held up: each event applies the whole seconds that the
// computer was awake since the seconds last applied, normally one, none for an event that comes early, and all of
// them after a stall. The time the computer slept is not counted, and the wall clock plays no part.
class SteadySeconds
{
public:
    // Starts counting at the reading taken when the clock starts.
    explicit SteadySeconds(SteadyTime start) : m_last(start) {}

    struct Due
    {
        qint64 seconds;      // to apply now
        qint64 sleptSeconds; // the computer slept since the previous event: not counted
        bool gap;            // more than a minute passed since the previous event, awake or asleep
    };
    // What a timer event at the reading now applies.
    Due due(SteadyTime now);

private:
    SteadyTime m_last;
    qint64 m_uncounted = 0; // awake milliseconds not yet applied; below zero when applied ahead
};

} // namespace tallivor
