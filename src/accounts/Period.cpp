#include "accounts/Period.h"

#include <algorithm>

namespace tallivor {

PeriodLines::PeriodLines(const Period& period)
    : m_period(period), m_from(period.from.toString(Qt::ISODate).toLatin1()),
      m_to(period.to.toString(Qt::ISODate).toLatin1())
{}

bool PeriodLines::wantsDay(QByteArrayView day) const
{
    return m_period.sinceShift || (day >= QByteArrayView(m_from) && day <= QByteArrayView(m_to));
}

bool PeriodLines::take(LedgerRecord record)
{
    if (m_period.sinceShift && record.event == LedgerEvent::Shift) {
        m_records.clear();
        m_shiftTime = record.entry.time;
        return true;
    }
    if (!wantsDay(QStringView(record.entry.time).left(10).toLatin1()))
        return false;
    m_records.push_back(std::move(record));
    return true;
}

PeriodRead readPeriod(const QString& folder, const Period& period)
{
    PeriodRead read{PeriodLines(period), {}};
    const auto take = [&read](LedgerRecord&& record) { read.lines.take(std::move(record)); };
    const auto wanted = [&read](QByteArrayView day) { return read.lines.wantsDay(day); };
    if (!period.sinceShift) {
        for (QDate month(period.from.year(), period.from.month(), 1); month <= period.to; month = month.addMonths(1))
            readMonthFile(folder, ledgerFileName(month), wanted, take, read.findings);
        return read;
    }
    // From the newest month back to the first that holds a shift line, each file read once; then taken in the order
    // the lines were written, so that the last shift line starts the period.
    const QStringList files = ledgerMonthFiles(folder);
    std::vector<std::pair<std::vector<LedgerRecord>, std::vector<FileFinding>>> months;
    for (qsizetype i = files.size(); i-- > 0;) {
        std::vector<LedgerRecord>& records = months.emplace_back().first;
        readMonthFile(
            folder, files[i], wanted, [&records](LedgerRecord&& record) { records.push_back(std::move(record)); },
            months.back().second);
        if (std::any_of(records.begin(), records.end(),
                        [](const LedgerRecord& record) { return record.event == LedgerEvent::Shift; }))
            break;
    }
    for (auto month = months.rbegin(); month != months.rend(); ++month) {
        for (LedgerRecord& record : month->first)
            take(std::move(record));
        read.findings.insert(read.findings.end(), month->second.begin(), month->second.end());
    }
    return read;
}

} // namespace tallivor
