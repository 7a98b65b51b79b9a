#pragma once

#include "rules/Money.h"
#include "store/Csv.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <bitset>
#include <optional>
#include <vector>

namespace tallivor {

// The rates list, in the program folder.
inline constexpr char ratesFileName[] = "tallivor-rates.csv";

// Why a line of the rates list is no band, or why a change of it is refused.
enum class RateFault
{
    None,
    Malformed, // not a record of four fields
    Days,      // no day, or a day outside 1 to 7
    Time,      // a time that is not HH:MM of a day
    SameTime,  // a band that starts where it ends
    Factor,    // not a factor by the price rules
    Overlap,   // it shares minutes of the week with another band
    NoBand,    // no band at that place
};

// A band of the week: the weekdays it starts on (1 Monday to 7 Sunday), from and to as minutes of the day (to before
// from: it runs past midnight, and belongs to the night it starts in), and the factor the price is multiplied by.
struct RateBand
{
    QString days;
    int from = 0;
    int to = 0;
    Money factor;
    QStringList fields; // as read or as set: an untouched band is written back as it stood

    // The minutes of the week it covers, from Monday 00:00.
    std::bitset<7 * 24 * 60> minutes() const;
};

// A line of the file that is no band, kept and written back in its place.
struct KeptRate
{
    CsvRecord record;
    RateFault reason = RateFault::Malformed;
    qsizetype place = 0; // how many bands stand before it
};

// The room's rate bands. A station is charged, at each completed minute, its price times the factor of the band in
// force then; without a band in force, times 1. In a hand-edited file two bands may overlap: the earlier applies,
// and overlaps() names the pair; a change made here that would overlap is refused.
class RateList
{
public:
    static RateList fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    const std::vector<RateBand>& bands() const { return m_bands; }
    const std::vector<KeptRate>& kept() const { return m_kept; }
    // The pairs of bands (their places) that share minutes: the first of each pair applies.
    std::vector<std::pair<qsizetype, qsizetype>> overlaps() const;

    // The band in force during the minute of the week that holds the moment (local time), by its place; -1 for none.
    qsizetype bandAt(const QDateTime& moment) const;
    // Its factor, 1 without one.
    Money factorAt(const QDateTime& moment) const;

    // A band from its four texts ("12345", "18:00", "20:00", "0.5"): the band, or why it is none.
    static RateFault parse(const QStringList& fields, RateBand& band);
    RateFault add(const QStringList& fields);
    RateFault change(qsizetype index, const QStringList& fields);
    RateFault remove(qsizetype index);

private:
    RateFault fits(const RateBand& band, qsizetype except) const;

    std::vector<RateBand> m_bands;
    std::vector<KeptRate> m_kept;
    // The minute of the week and the band in force, built once for the clock's many questions.
    void index();
    std::vector<qint16> m_inForce; // per minute of the week: the band's place, -1 for none
};

} // namespace tallivor
