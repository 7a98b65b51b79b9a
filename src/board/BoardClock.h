#pragma once

#include "board/Clocks.h"
#include "board/SteadySeconds.h"

#include <QObject>

class QTimer;

namespace tallivor {

// The board's timers, in one place: the one-second clock, whose events apply the seconds the steady clocks say have
// passed, the minute's save of the stations' times, and the ten seconds' retry while the disk refuses a write.
class BoardClock : public QObject
{
    Q_OBJECT
public:
    BoardClock(Clocks& clocks, QObject* parent = nullptr);

    // Both timers run from the load step to the close step; a copy that relaunches itself never counts or saves.
    void start();
    void stop();
    // While something is not on the disk, the writes are tried again every ten seconds.
    void setRetrying(bool retrying);
    // What a clock event applies now: the seconds passed on the steady clocks since those last applied.
    SteadySeconds::Due due() { return m_seconds.due(m_clocks.steadyTime()); }

signals:
    // A clock event: apply due().
    void ticked();
    // A minute passed: save what the clock counted. Or ten seconds, while something waits for the disk.
    void saveDue();

private:
    Clocks& m_clocks;
    SteadySeconds m_seconds;
    QTimer* const m_tick;
    QTimer* const m_save;
    QTimer* const m_retry;
    bool m_started = false;
};

} // namespace tallivor
