#pragma once

#include "accounts/Period.h"
#include "accounts/Totals.h"

#include <QString>

#include <vector>

namespace tallivor {

// What the owner's report shows, without any window: a period's lines read from the ledger, what the chains of the
// files read say, and the totals; lines written while it is shown join it when they belong to the period, and the
// figures follow without the ledger being read again.
class ReportModel
{
public:
    explicit ReportModel(QString folder);

    // Reads the period from the month files it needs.
    void show(const Period& period);
    // A line as it reaches the ledger. True when it changed what the report shows.
    bool take(const LedgerRecord& record);

    const Period& period() const { return m_lines.period(); }
    const std::vector<LedgerRecord>& records() const { return m_lines.records(); }
    const QString& shiftTime() const { return m_lines.shiftTime(); }
    const std::vector<FileFinding>& findings() const { return m_findings; }
    const PeriodTotals& totals() const { return m_totals; }

private:
    QString m_folder;
    PeriodLines m_lines;
    std::vector<FileFinding> m_findings;
    Totals m_adding;
    QHash<QString, int> m_reorder; // of the products list, read as the period was

    PeriodTotals m_totals;
};

// The totals of the bills since the last shift line, read from the folder's ledger: what a shift close counts.
PeriodTotals shiftTotals(const QString& folder);

} // namespace tallivor
