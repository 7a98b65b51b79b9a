#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace tallivor {

// Milliseconds on the computer's two steady clocks, which no change of the wall clock moves. The awake clock stands
// still while the computer sleeps or hibernates; the total clock goes on. Each starts at a moment of its own: only
// differences between readings mean anything.
struct SteadyTime
{
    qint64 awake = 0;
    qint64 total = 0;
};

// The clocks the board reads: the steady clocks count the time of running stations, the wall clock stamps the
// ledger's lines. The operating system gives the real ones; the tests give clocks that move when told.
class Clocks
{
public:
    virtual ~Clocks() = default;

    // The steady clocks now: the board's clock counts the time on them, never on the wall clock.
    virtual SteadyTime steadyTime() const = 0;

    // The wall clock: local date and time, which stamp the ledger's lines.
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

} // namespace tallivor
