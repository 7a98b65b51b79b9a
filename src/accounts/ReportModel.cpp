#include "accounts/ReportModel.h"

namespace tallivor {

ReportModel::ReportModel(QString folder) : m_folder(std::move(folder)) {}

void ReportModel::show(const Period& period)
{
    PeriodRead read = readPeriod(m_folder, period);
    m_lines = std::move(read.lines);
    m_findings = std::move(read.findings);
    m_adding = Totals();
    for (std::size_t i = 0; i < m_lines.records().size(); ++i)
        m_adding.add(m_lines.records()[i], int(i));
    m_totals = m_adding.figures();
}

bool ReportModel::take(const LedgerRecord& record)
{
    const std::size_t before = m_lines.records().size();
    if (!m_lines.take(record))
        return false;
    if (m_lines.records().size() <= before) { // a shift line: the period starts afresh
        m_adding = Totals();
    } else {
        m_adding.add(m_lines.records().back(), int(before));
    }
    m_totals = m_adding.figures();
    return true;
}

PeriodTotals shiftTotals(const QString& folder)
{
    return totalsOf(readPeriod(folder, Period::sinceLastShift()).lines.records());
}

} // namespace tallivor
