#include "rules/ClockRule.h"

#include "rules/Numbers.h"
#include "rules/TimeText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tallivor {

// What the clock rule reads of a price: its value as a binary number, and as an exact decimal when it is one.
struct ClockArithmetic
{
    static double value(PriceReader& price) { return price.value(); }
    static std::optional<ScaledUnits> decimal(PriceReader& price) { return price.decimal(); }
};

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

// Below 10^15 a whole number, and a decimal of at most 15 digits written as number text, is exact.
constexpr double exactLimit = 1e15;
constexpr std::array<double, 16> powersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The value as a decimal of at most 15 digits with at least fewestPlaces places, when it is the double nearest to
// one (a division of two exact doubles is rounded to the nearest, so the check is exact).
std::optional<ScaledUnits> exactDecimal(double value, int fewestPlaces)
{
    for (int places = fewestPlaces; places < int(powersOfTen.size()); ++places) {
        const double units = std::round(value * powersOfTen[places]);
        if (!(std::abs(units) < exactLimit))
            return std::nullopt;
        if (units / powersOfTen[places] == value)
            return ScaledUnits{qint64(units), places};
    }
    return std::nullopt;
}

// Charges a number of completed minutes at one price, each minute's sum written as number text and read back as
// tickRow does it. When the charge and the price are exact decimals and every sum stays one, the text after each
// minute is the exact decimal sum (the error of a double sum is then below half a unit of the 15th digit, so the
// number text rounds it away), and the last one is the charge plus minutes times the price in whole units. Sums of
// decimal places that change sign may lose digits to cancellation, and other numbers are not exact: minute by minute.
// True when the charge was written.
bool chargeMinutes(QString& charge, PriceReader& price, qint64 minutes)
{
    const std::optional<ScaledUnits> unitPrice = ClockArithmetic::decimal(price);
    const std::optional<ScaledUnits> start =
        unitPrice ? exactDecimal(leadingNumber(charge), unitPrice->places) : std::nullopt;
    if (start) {
        const double step = double(unitPrice->units) * powersOfTen[start->places - unitPrice->places];
        const bool cancels = start->places > 0 && ((start->units < 0 && step > 0) || (start->units > 0 && step < 0));
        // The sums run in a straight line: the first and the last bound them all.
        if (!cancels && std::abs(step) < exactLimit && double(minutes) * std::abs(step) <= 2 * exactLimit) {
            const qint64 last = start->units + minutes * qint64(step);
            if (double(std::abs(last)) < exactLimit) {
                charge.truncate(0);
                appendNumberText(charge, double(last) / powersOfTen[start->places]);
                return true;
            }
        }
    }
    bool written = false;
    for (qint64 minute = 0; minute < minutes; ++minute) {
        const double sum = leadingNumber(charge) + ClockArithmetic::value(price);
        if (!std::isfinite(sum))
            break; // the charge stays, and so would every later sum
        charge.truncate(0);
        appendNumberText(charge, sum);
        written = true;
    }
    return written;
}

// A time that the clock can run on in whole numbers: minutes and seconds both whole and well inside the exact range,
// the seconds at most 59.
struct WholeTime
{
    qsizetype minutesLength; // of the minutes piece as written, kept until the minutes change
    qint64 minutes, seconds;
};

std::optional<WholeTime> wholeTime(QStringView time)
{
    const TimeText pieces = splitTime(time);
    if (!pieces.hasColon)
        return std::nullopt;
    const std::optional<double> minutes = pieceValue(pieces.minutes);
    const std::optional<double> seconds = pieceValue(pieces.seconds);
    if (!minutes || !seconds || *minutes != std::floor(*minutes) || *seconds != std::floor(*seconds) ||
        !(std::abs(*minutes) < exactLimit) || !(*seconds > -exactLimit) || *seconds > 59)
        return std::nullopt;
    return WholeTime{pieces.minutes.size(), qint64(*minutes), qint64(*seconds)};
}

} // namespace

double PriceReader::value()
{
    if (!m_value)
        m_value = leadingNumber(m_text);
    return *m_value;
}

std::optional<ScaledUnits> PriceReader::decimal()
{
    if (!m_decimal)
        m_decimal = exactDecimal(value(), 0);
    return *m_decimal;
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
    const double sum = leadingNumber(charge) + ClockArithmetic::value(price);
    if (!std::isfinite(sum))
        return RowChange::Time;
    charge.truncate(0);
    appendNumberText(charge, sum);
    return RowChange::TimeAndCharge;
}

RowChange advanceRow(QString& time, QString& charge, bool running, PriceReader& price, qint64 seconds)
{
    RowChange change = RowChange::None;
    if (!running)
        return change;
    // Other times (fractions, seconds past 59) take single seconds until they are whole, which the next completed
    // minute makes them at the latest; a time the clock cannot read at all stays as it is.
    std::optional<WholeTime> whole;
    while (seconds > 0 && !(whole = wholeTime(time))) {
        const RowChange one = tickRow(time, charge, running, price);
        if (one == RowChange::None)
            return change;
        change = std::max(change, one);
        --seconds;
    }
    if (seconds <= 0)
        return change;

    const qint64 toNextMinute = 60 - whole->seconds;
    if (seconds < toNextMinute) {
        time.truncate(whole->minutesLength + 1);
        appendNumberText(time, double(whole->seconds + seconds));
        return std::max(change, RowChange::Time);
    }
    const qint64 minutes = 1 + (seconds - toNextMinute) / 60;
    if (!(std::abs(double(whole->minutes + minutes)) < exactLimit)) {
        for (; seconds > 0; --seconds)
            change = std::max(change, tickRow(time, charge, running, price));
        return change;
    }
    time.truncate(0);
    appendNumberText(time, double(whole->minutes + minutes));
    time.append(u':');
    appendNumberText(time, double((seconds - toNextMinute) % 60));
    return std::max(change, chargeMinutes(charge, price, minutes) ? RowChange::TimeAndCharge : RowChange::Time);
}

} // namespace tallivor
