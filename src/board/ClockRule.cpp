#include "board/ClockRule.h"

#include "board/Numbers.h"
#include "board/TimeText.h"

#include <cmath>

namespace tallivor {
namespace {

// The value of a time piece: plain digits (the common case, read without allocating) or any other whole number.
std::optional<double> pieceValue(QStringView piece)
{
    if (!piece.isEmpty() && piece.size() <= 15) {
        double value = 0;
        bool digits = true;
        for (const QChar c : piece) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            value = value * 10 + (c.unicode() - u'0');
        }
        if (digits)
            return value;
    }
    return wholeNumber(piece);
}

void appendSeconds(QString& time, double seconds)
{
    if (seconds >= 0 && seconds < 10 && seconds == std::floor(seconds)) {
        time.append(QChar(u'0' + int(seconds)));
    } else if (seconds >= 10 && seconds < 60 && seconds == std::floor(seconds)) {
        time.append(QChar(u'0' + int(seconds) / 10));
        time.append(QChar(u'0' + int(seconds) % 10));
    } else {
        appendNumberText(time, seconds);
    }
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Most ticks only add one to the last digit of the seconds: plain digit minutes, then seconds of one digit, or of two
// without a leading zero, whose last digit is below 9 and which stay below 60 ("12:34" becomes "12:35"). That case is
// done in place without reading any number; anything else (a rollover, "07", blanks, a second colon) takes the
// general path.
bool addSecondInPlace(QString& time)
{
    const qsizetype size = time.size();
    const qsizetype colon = size - (size >= 3 && time[size - 3] == u':' ? 3 : 2);
    if (colon < 1 || time[colon] != u':')
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        if (!isDigit(time[i]))
            return false;
    }
    const QChar last = time[size - 1];
    if (last < u'0' || last > u'8')
        return false;
    if (size - colon == 3 && (time[colon + 1] < u'1' || time[colon + 1] > u'5'))
        return false;
    time[size - 1] = QChar(last.unicode() + 1);
    return true;
}

} // namespace

double PriceReader::value()
{
    if (!m_value)
        m_value = leadingNumber(m_text);
    return *m_value;
}

RowChange tickRow(QString& time, QString& charge, bool running, PriceReader& price)
{
    if (!running)
        return RowChange::None;
    if (addSecondInPlace(time))
        return RowChange::Time;
    const TimeText pieces = splitTime(time);
    if (!pieces.hasColon)
        return RowChange::None;
    const std::optional<double> minutes = pieceValue(pieces.minutes);
    const std::optional<double> seconds = pieceValue(pieces.seconds);
    if (!minutes || !seconds)
        return RowChange::None;

    const double nextSecond = *seconds + 1;
    if (!(nextSecond > 59)) {
        time.truncate(pieces.minutes.size() + 1); // keeps the minutes as they were written
        appendSeconds(time, nextSecond);
        return RowChange::Time;
    }

    time.truncate(0);
    appendNumberText(time, *minutes + 1);
    time.append(QLatin1String(":0"));
    const double sum = leadingNumber(charge) + price.value();
    if (!std::isfinite(sum))
        return RowChange::Time;
    charge.truncate(0);
    appendNumberText(charge, sum);
    return RowChange::TimeAndCharge;
}

} // namespace tallivor
