#include "board/SteadySeconds.h"

#include <algorithm>
#include <cstdlib>

namespace tallivor {

SteadySeconds::Due SteadySeconds::due(SteadyTime now)
{
    const qint64 awake = std::max<qint64>(0, now.awake - m_last.awake);
    const qint64 slept = std::max<qint64>(0, now.total - m_last.total - awake);
    m_last = now;
    m_uncounted += awake;
    // An event applies one second when that keeps the count within three quarters of a second of the steady time, so
    // that events a little early or late never apply none and two by turns, whatever their phase. Any other event
    // applies the uncounted seconds rounded to the nearest: none for an early one, all of them after a stall. Either
    // way the count never runs more than three quarters of a second ahead, and the rounding never goes below zero.
    const qint64 seconds = std::abs(m_uncounted - 1000) <= 750 ? 1 : (m_uncounted + 500) / 1000;
    m_uncounted -= seconds * 1000;
    return {seconds, (slept + 500) / 1000, awake + slept > 60 * 1000};
}

} // namespace tallivor
