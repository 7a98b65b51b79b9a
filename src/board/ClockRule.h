#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tallivor {

// The price per minute, read from its text by the leading-number rule when a minute first completes in a tick, so
// that a tick without a completed minute never reads it.
class PriceReader
{
public:
    explicit PriceReader(QStringView text) : m_text(text) {}
    double value();

private:
    QStringView m_text;
    std::optional<double> m_value;
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

} // namespace tallivor
