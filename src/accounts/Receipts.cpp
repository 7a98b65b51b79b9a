#include "accounts/Receipts.h"

#include "ledger/LedgerReader.h"
#include "rules/TimeText.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace tallivor {
namespace {

std::vector<LedgerRecord> monthLines(const QString& folder, const QString& file)
{
    std::vector<LedgerRecord> lines;
    std::vector<FileFinding> findings; // the report names alterations; a receipt is printed from what stands
    readMonthFile(
        folder, file, [](QByteArrayView) { return true; },
        [&lines](LedgerRecord&& record) { lines.push_back(std::move(record)); }, findings);
    return lines;
}

// The items on the tab that the bill at lines[billed] cleared.
std::vector<TabItem> itemsBefore(const std::vector<LedgerRecord>& lines, std::size_t billed)
{
    QString station = lines[billed].entry.station;
    QSet<QByteArray> voided;
    std::vector<TabItem> items;
    for (std::size_t i = billed; i-- > 0;) {
        const LedgerRecord& line = lines[i];
        const LedgerEntry& entry = line.entry;
        if (entry.station != station)
            continue;
        if (line.event == LedgerEvent::Bill || line.event == LedgerEvent::Remove)
            break;
        if (line.event == LedgerEvent::Edit) {
            station = detailOf(entry, Detail::Name).value_or(station); // what the station was called before
        } else if (line.event == LedgerEvent::Void) {
            voided.insert(detailOf(entry, Detail::Sale).value_or(QString()).toLatin1());
        } else if (line.event == LedgerEvent::Sale && !voided.contains(line.check)) {
            const qint64 quantity = qint64(detailNumber(entry, Detail::Quantity));
            const Money price = Money::ofText(entry.price);
            items.push_back({detailOf(entry, Detail::Product).value_or(QString()), quantity, price,
                             price.times(quantity), line.check, 0});
        }
    }
    std::reverse(items.begin(), items.end());
    return items;
}

} // namespace

std::optional<Bill> billOf(const QString& folder, QByteArrayView check)
{
    const auto isTheBill = [check](const LedgerRecord& line) {
        return line.event == LedgerEvent::Bill && line.check == check;
    };
    // From the newest month back to the bill's, and the month before it, where its tab may have begun.
    const QStringList files = ledgerMonthFiles(folder);
    std::vector<LedgerRecord> lines;
    bool found = false;
    for (qsizetype i = files.size(); i-- > 0 && !found;) {
        std::vector<LedgerRecord> month = monthLines(folder, files[i]);
        found = std::any_of(lines.begin(), lines.end(), isTheBill);
        lines.insert(lines.begin(), std::make_move_iterator(month.begin()), std::make_move_iterator(month.end()));
    }
    const auto billed = std::find_if(lines.begin(), lines.end(), isTheBill);
    if (billed == lines.end())
        return std::nullopt;
    const LedgerEntry& entry = billed->entry;
    Bill bill;
    bill.station = entry.station;
    bill.spent = stationTimeOf(entry.spent);
    bill.total = Money::ofText(entry.charge);
    bill.timeCharge = entry.charge;
    bill.time = QDateTime::fromString(entry.time, Qt::ISODate);
    if (const std::optional<QString> items = detailOf(entry, Detail::Items)) {
        const Money itemsTotal = Money::ofText(*items);
        bill.itemsTotal = itemsTotal;
        bill.timeCharge = (bill.total - itemsTotal).chargeText();
        bill.items = itemsBefore(lines, std::size_t(billed - lines.begin()));
        Money sum;
        for (const TabItem& item : bill.items)
            sum += item.amount;
        if (sum != itemsTotal)
            bill.items.clear();
    }
    return bill;
}

} // namespace tallivor
