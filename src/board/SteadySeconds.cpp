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
    // An event about a second after the previous one applies one second while the count stays within three quarters
    // of a second of the steady time, so that events a little early or late never apply none and two by turns.
    // Any other event applies the uncounted seconds rounded to the nearest: none for an early one, all after a stall.
    const bool beat = awake >= 500 && awake < 1500 && std::abs(m_uncounted - 1000) <= 750;
    const qint64 seconds = beat ? 1 : std::max<qint64>(0, (m_uncounted + 500) / 1000);
    m_uncounted -= seconds * 1000;
    return {seconds, (slept + 500) / 1000, awake + slept > 60 * 1000};
}

} // namespace tallivor
