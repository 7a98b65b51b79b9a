#include "board/TabStore.h"

#include "store/Csv.h"
#include "store/DataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace tallivor {
namespace {

const QStringList heading{QStringLiteral("station"), QStringLiteral("product"), QStringLiteral("quantity"),
                          QStringLiteral("price"),   QStringLiteral("amount"),  QStringLiteral("sale")};

// The tabs of the stations by name, for a start with thousands of items on a board of thousands of stations.
QHash<QString, Tab*> tabsByName(StationTable& table)
{
    QHash<QString, Tab*> tabs;
    tabs.reserve(table.size());
    for (int row = table.size(); row-- > 0;) // the first of two stations of one name wins, as the lookups elsewhere
        tabs.insert(table[row].text(Column::Name), &table.at(row).record.tab);
    return tabs;
}

} // namespace

TabStore::TabStore(const QString& programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("tallivor-tabs.csv")))
{}

void TabStore::load(StationTable& table, const QDateTime& stationFileWritten)
{
    const std::optional<QByteArray> bytes = readWholeFile(m_path);
    const QDateTime since = bytes ? QFileInfo(m_path).lastModified() : stationFileWritten;
    const std::vector<LedgerRecord> lines =
        since.isValid() ? ledgerLinesSince(QFileInfo(m_path).absolutePath(), since) : std::vector<LedgerRecord>();
    // The file and the lines name stations as they were called then: each name is followed through the renames
    // (and the removals) after it.
    std::vector<QString> finalName(lines.size());
    QHash<QString, QString> renamed; // a name then, and what it became ("" for gone)
    for (std::size_t i = lines.size(); i-- > 0;) {
        const LedgerEntry& entry = lines[i].entry;
        finalName[i] = renamed.value(entry.station, entry.station);
        if (lines[i].event == LedgerEvent::Edit) {
            const QString before = detailOf(entry, Detail::Name).value_or(entry.station);
            if (before != entry.station)
                renamed.insert(before, finalName[i]);
        }
        if (lines[i].event == LedgerEvent::Remove)
            renamed.insert(entry.station, QString());
    }
    const QHash<QString, Tab*> tabs = tabsByName(table);
    if (bytes) {
        m_saved = *bytes;
        for (const CsvRecord& record : parseCsv(*bytes).records) {
            const QStringList& f = record.fields;
            const QString name = f.size() == heading.size() ? renamed.value(f[0], f[0]) : QString();
            Tab* tab = tabs.value(name);
            const std::optional<Money> price = tab ? Money::parse(f[3]) : std::nullopt;
            if (tab && price)
                tab->add({f[1], f[2].toLongLong(), *price, price->times(f[2].toLongLong()), f[5].toLatin1(), 0});
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Tab* tab = tabs.value(finalName[i]);
        const LedgerEntry& entry = lines[i].entry;
        const std::optional<Money> price = Money::parse(entry.price);
        const qint64 quantity = qint64(detailNumber(entry, Detail::Quantity));
        if (!tab)
            continue;
        if (lines[i].event == LedgerEvent::Sale && price &&
            std::none_of(tab->items().begin(), tab->items().end(),
                         [&](const TabItem& item) { return item.sale == lines[i].check; }))
            tab->add({detailOf(entry, Detail::Product).value_or(QString()), quantity, *price, price->times(quantity),
                      lines[i].check, 0});
        else if (lines[i].event == LedgerEvent::Void)
            tab->takeOff(detailOf(entry, Detail::Sale).value_or(QString()).toLatin1());
        else if (lines[i].event == LedgerEvent::Bill)
            tab->clear();
    }
}

void TabStore::write(const StationTable& table)
{
    std::vector<CsvLine> lines;
    for (const Station& station : table.rows()) {
        for (const TabItem& item : station.record.tab.items()) {
            if (item.sale.isEmpty())
                continue; // its sale line waits for the disk: the item is on the disk when the line is
            lines.push_back(QStringList{station.text(Column::Name), item.product, QString::number(item.quantity),
                                        item.price.text(), item.amount.text(), QString::fromLatin1(item.sale)});
        }
    }
    if (lines.empty() && m_saved.isEmpty()) {
        m_fault = WriteFault::None;
        return; // a room that never sold anything has no tabs file
    }
    const QByteArray bytes = formatCsv(heading, lines);
    if (bytes == m_saved)
        m_fault = WriteFault::None;
    else if (replaceFile(m_path, bytes, &m_fault))
        m_saved = bytes;
}

} // namespace tallivor
