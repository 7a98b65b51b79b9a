#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace tallivor {

// A number that is exactly a decimal of at most 15 digits: the double nearest to units / 10^places. The clock rule's
// own: only it reads a price or a charge as a binary number.
struct ScaledUnits
{
    qint64 units;
    int places;
};

// The price per minute, read from its text by the leading-number rule when a minute first completes in a tick, so
// that a tick without a completed minute never reads it.
class PriceReader
{
public:
    explicit PriceReader(QStringView text) : m_text(text) {}

private:
    friend struct ClockArithmetic;
    double value();
    // The price as an exact decimal, when it is one; for charging many minutes at once.
    std::optional<ScaledUnits> decimal();

    QStringView m_text;
    std::optional<double> m_value;
    std::optional<std::optional<ScaledUnits>> m_decimal;
};

enum class RowChange
{
    None,          // the row is left as it was
    Time,          // a second was added
    TimeAndCharge, // a minute was completed and charged
};

// One tick of the clock for one station row, rewriting time and charge in place. A running row gets one more
// second: the seconds piece of "minutes:seconds" goes up by one, and past 59 it starts again at 0, the minutes go up
// by one and the price is added to the charge. The minutes keep the text they were read with until they change
// ("007:58" becomes "007:59", then "8:0"); pieces after a second ":" are dropped. A stopped row stays as it is, and so
// does a row whose time has no ":" or whose minutes or seconds are not a number. A charge whose sum would not be a
// finite number is left as it is.
RowChange tickRow(QString& time, QString& charge, bool running, PriceReader& price);

// Many seconds of the clock for one row at once, after the clock was held up: the row ends exactly as that many
// tickRow calls would leave it, texts and all, but a row of whole minutes and seconds is worked out in one step,
// and its charge too when the charge and the price are exact decimals.
RowChange advanceRow(QString& time, QString& charge, bool running, PriceReader& price, qint64 seconds);

} // namespace tallivor
