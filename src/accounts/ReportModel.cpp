#include "accounts/ReportModel.h"

#include "store/DataFile.h"
#include "till/Products.h"

#include <QDir>

namespace tallivor {
namespace {

// The reorder counts of the products list beside the ledger: a product left at or below one is worth a look.
QHash<QString, int> reorderCounts(const QString& folder)
{
    QHash<QString, int> counts;
    const std::optional<QByteArray> bytes = readWholeFile(QDir(folder).filePath(QLatin1String(productsFileName)));
    for (const Product& product : bytes ? ProductList::fromBytes(*bytes).products() : std::vector<Product>()) {
        if (product.reorder)
            counts.insert(product.name, *product.reorder);
    }
    return counts;
}

} // namespace

ReportModel::ReportModel(QString folder) : m_folder(std::move(folder)) {}

void ReportModel::show(const Period& period)
{
    PeriodRead read = readPeriod(m_folder, period);
    m_lines = std::move(read.lines);
    m_findings = std::move(read.findings);
    m_reorder = reorderCounts(m_folder);
    m_adding = Totals();
    m_adding.setReorderCounts(m_reorder);
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
        m_adding.setReorderCounts(m_reorder);
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
