#include "board/TimeText.h"

namespace tallivor {

TimeText splitTime(QStringView time)
{
    const qsizetype colon = time.indexOf(u':');
    if (colon < 0)
        return {time, {}, false};
    const qsizetype secondsEnd = time.indexOf(u':', colon + 1);
    return {time.first(colon), time.sliced(colon + 1, (secondsEnd < 0 ? time.size() : secondsEnd) - colon - 1), true};
}

QString joinTime(QStringView minutes, QStringView seconds)
{
    QString time;
    time.reserve(minutes.size() + 1 + seconds.size());
    time.append(minutes).append(QLatin1Char(':')).append(seconds);
    return time;
}

} // namespace tallivor
