#include "rules/TimeText.h"

#include "rules/Numbers.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <vector>

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
    return minutes.toString() + QLatin1Char(':') + seconds.toString();
}

double secondsOf(QStringView time)
{
    const TimeText pieces = splitTime(time);
    const std::optional<double> minutes = wholeNumber(pieces.minutes);
    const std::optional<double> seconds = wholeNumber(pieces.seconds);
    if (!minutes || !seconds) // a time without ":" has no seconds
        return 0;
    const double total = *minutes * 60 + *seconds;
    return std::isfinite(total) ? total : 0;
}

QString timeOfSeconds(double seconds)
{
    const double minutes = std::floor(seconds / 60);
    return QString::number(minutes, 'f', 0) + QLatin1Char(':') +
           QStringLiteral("%1").arg(int(seconds - minutes * 60), 2, 10, QLatin1Char('0'));
}

std::optional<qint64> paidSecondsOf(QStringView text)
{
    const TimeText pieces = splitTime(text);
    const auto digits = [](QStringView piece) {
        return !piece.isEmpty() && piece.size() <= 9 &&
               std::all_of(piece.begin(), piece.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (!pieces.hasColon || !digits(pieces.minutes) || !digits(pieces.seconds) ||
        text.size() != pieces.minutes.size() + 1 + pieces.seconds.size())
        return std::nullopt;
    const qint64 seconds = pieces.seconds.toLongLong();
    if (seconds > 59)
        return std::nullopt;
    return pieces.minutes.toLongLong() * 60 + seconds;
}

QString paidTimeText(qint64 seconds)
{
    return QString::number(seconds / 60) + QLatin1Char(':') + QString::number(seconds % 60);
}

namespace {

// The whole numbers of a time of digit pieces joined by ":", when it is one of pieces pieces.
std::optional<std::vector<qint64>> digitPieces(QStringView text, int pieces)
{
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() != pieces)
        return std::nullopt;
    std::vector<qint64> values;
    for (const QStringView part : parts) {
        if (part.isEmpty() || part.size() > 9 ||
            !std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        values.push_back(part.toLongLong());
    }
    return values;
}

} // namespace

QString ledgerSpentText(QStringView stationTime)
{
    const auto pieces = digitPieces(stationTime, 2);
    return pieces ? hoursText(double((*pieces)[0] * 60 + (*pieces)[1])) : stationTime.toString();
}

double ledgerSpentSeconds(QStringView spent)
{
    const auto pieces = digitPieces(spent, 3);
    return pieces ? double((*pieces)[0] * 3600 + (*pieces)[1] * 60 + (*pieces)[2]) : secondsOf(spent);
}

QString stationTimeOf(QStringView spent)
{
    const auto pieces = digitPieces(spent, 3);
    if (!pieces)
        return spent.toString();
    return QString::number((*pieces)[0] * 60 + (*pieces)[1]) + QLatin1Char(':') + QString::number((*pieces)[2]);
}

QString hoursText(double seconds)
{
    const double whole = std::floor(std::max(seconds, 0.0));
    const double hours = std::floor(whole / 3600);
    const int rest = int(whole - hours * 3600);
    return QString::number(hours, 'f', 0) +
           QStringLiteral(":%1:%2").arg(rest / 60, 2, 10, QLatin1Char('0')).arg(rest % 60, 2, 10, QLatin1Char('0'));
}

} // namespace tallivor
