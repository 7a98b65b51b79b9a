#include "till/Rates.h"

#include <QTime>

#include <algorithm>

namespace tallivor {
namespace {

constexpr int dayMinutes = 24 * 60;
constexpr int weekMinutes = 7 * dayMinutes;
const QStringList heading{QStringLiteral("days"), QStringLiteral("from"), QStringLiteral("to"),
                          QStringLiteral("factor")};

// A time of day as HH:MM, in minutes.
std::optional<int> minutesOf(const QString& text)
{
    const QTime time = QTime::fromString(text, QStringLiteral("HH:mm"));
    return time.isValid() ? std::optional<int>(time.hour() * 60 + time.minute()) : std::nullopt;
}

} // namespace

std::bitset<weekMinutes> RateBand::minutes() const
{
    std::bitset<weekMinutes> covered;
    const int length = (to - from + dayMinutes) % dayMinutes; // past midnight, into the next day
    for (const QChar day : days) {
        const int start = (day.digitValue() - 1) * dayMinutes + from;
        for (int minute = 0; minute < length; ++minute)
            covered.set(std::size_t((start + minute) % weekMinutes)); // Sunday night runs into Monday
    }
    return covered;
}

RateFault RateList::parse(const QStringList& fields, RateBand& band)
{
    if (fields.size() != heading.size())
        return RateFault::Malformed;
    const QString& days = fields[0];
    if (days.isEmpty() || std::any_of(days.begin(), days.end(), [](QChar c) { return c < u'1' || c > u'7'; }))
        return RateFault::Days;
    const std::optional<int> from = minutesOf(fields[1]), to = minutesOf(fields[2]);
    if (!from || !to)
        return RateFault::Time;
    if (*from == *to)
        return RateFault::SameTime;
    const std::optional<Money> factor = Money::parse(fields[3]);
    if (!factor)
        return RateFault::Factor;
    band = {days, *from, *to, *factor, fields};
    return RateFault::None;
}

RateList RateList::fromBytes(QByteArrayView bytes)
{
    RateList list;
    for (const CsvRecord& record : parseCsv(bytes).records) {
        RateBand band;
        const RateFault fault = record.wellFormed ? parse(record.fields, band) : RateFault::Malformed;
        if (fault == RateFault::None)
            list.m_bands.push_back(band);
        else
            list.m_kept.push_back({record, fault, qsizetype(list.m_bands.size())});
    }
    list.index();
    return list;
}

QByteArray RateList::toBytes() const
{
    std::vector<CsvLine> lines;
    auto kept = m_kept.begin();
    for (qsizetype place = 0; place <= qsizetype(m_bands.size()); ++place) {
        for (; kept != m_kept.end() && kept->place == place; ++kept)
            lines.push_back(kept->record.raw);
        if (place < qsizetype(m_bands.size()))
            lines.push_back(m_bands[std::size_t(place)].fields);
    }
    for (; kept != m_kept.end(); ++kept)
        lines.push_back(kept->record.raw);
    return formatCsv(heading, lines);
}

std::vector<std::pair<qsizetype, qsizetype>> RateList::overlaps() const
{
    std::vector<std::pair<qsizetype, qsizetype>> pairs;
    for (std::size_t a = 0; a < m_bands.size(); ++a) {
        for (std::size_t b = a + 1; b < m_bands.size(); ++b) {
            if ((m_bands[a].minutes() & m_bands[b].minutes()).any())
                pairs.emplace_back(qsizetype(a), qsizetype(b));
        }
    }
    return pairs;
}

void RateList::index()
{
    m_inForce.assign(weekMinutes, -1);
    for (std::size_t band = m_bands.size(); band-- > 0;) { // the earlier band is written last: it applies
        const std::bitset<weekMinutes> covered = m_bands[band].minutes();
        for (int minute = 0; minute < weekMinutes; ++minute) {
            if (covered.test(std::size_t(minute)))
                m_inForce[std::size_t(minute)] = qint16(band);
        }
    }
}

qsizetype RateList::bandAt(const QDateTime& moment) const
{
    if (m_inForce.empty())
        return -1;
    const QDateTime local = moment.toLocalTime();
    const int minute = (local.date().dayOfWeek() - 1) * dayMinutes + local.time().hour() * 60 + local.time().minute();
    return m_inForce[std::size_t(minute)];
}

Money RateList::factorAt(const QDateTime& moment) const
{
    const qsizetype band = bandAt(moment);
    return band < 0 ? Money::whole(1) : m_bands[std::size_t(band)].factor;
}

RateFault RateList::fits(const RateBand& band, qsizetype except) const
{
    const std::bitset<weekMinutes> covered = band.minutes();
    for (std::size_t other = 0; other < m_bands.size(); ++other) {
        if (qsizetype(other) != except && (m_bands[other].minutes() & covered).any())
            return RateFault::Overlap;
    }
    return RateFault::None;
}

RateFault RateList::add(const QStringList& fields)
{
    RateBand band;
    RateFault fault = parse(fields, band);
    if (fault == RateFault::None)
        fault = fits(band, -1);
    if (fault == RateFault::None) {
        m_bands.push_back(band);
        index();
    }
    return fault;
}

RateFault RateList::change(qsizetype index, const QStringList& fields)
{
    if (index < 0 || index >= qsizetype(m_bands.size()))
        return RateFault::NoBand;
    RateBand band;
    RateFault fault = parse(fields, band);
    if (fault == RateFault::None)
        fault = fits(band, index);
    if (fault == RateFault::None) {
        m_bands[std::size_t(index)] = band;
        this->index();
    }
    return fault;
}

RateFault RateList::remove(qsizetype index)
{
    if (index < 0 || index >= qsizetype(m_bands.size()))
        return RateFault::NoBand;
    m_bands.erase(m_bands.begin() + index);
    for (KeptRate& kept : m_kept)
        kept.place -= kept.place > index ? 1 : 0;
    this->index();
    return RateFault::None;
}

} // namespace tallivor
