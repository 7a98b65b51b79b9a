#pragma once

#include "ledger/Ledger.h"
#include "ledger/LedgerReader.h"
#include "till/Products.h"
#include "till/RoomSettings.h"
#include "till/Tab.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace tallivor {

// The till: the products the room sells and their counts, what the counter's customer has bought, the room's
// settings, and the lines a sale, a void and a change of the products list write. The tabs are the stations', on the
// board; what goes on one comes from here.
class Till
{
public:
    Till(const QString& programFolder, Ledger& ledger);

    const ProductList& products() const { return m_products; }
    RoomSettings& room() { return m_room; }
    const RoomSettings& room() const { return m_room; }
    // The counter's customer: the items sold at the counter since newCustomer(), for its receipt.
    const Tab& counter() const { return m_counter; }
    void newCustomer() { m_counter.clear(); }
    void learnChecks(const std::function<QByteArray(quint64)>& checkOf) { m_counter.learnChecks(checkOf); }

    // Reads the products file and brings it in line with the ledger's lines written since (sales, voids, changes of
    // the list): the later of the file and the ledger wins.
    void load();

    // Sells quantity (1 to 999) of the product of that name, or of that code: its sale line (station: the station's
    // name; empty: the counter, whose customer it joins), a counted stock down by as many. Nothing when refused: no
    // such product, a quantity out of range, a count that cannot go so low.
    std::optional<TabItem> sell(const QString& station, const QString& product, qint64 quantity);
    // Takes an item back (a tab's, or the counter customer's by its index there): its void line naming the sale, a
    // counted stock up. False when it cannot be: a count that cannot go so high.
    bool giveBack(const QString& station, const TabItem& item);
    bool giveBackAtCounter(std::size_t index);

    // The products window's changes, each refused whole or applied with its product line, and the file written.
    ProductFault add(const ProductTexts& texts);
    ProductFault rename(qsizetype index, const QString& name);
    ProductFault reprice(qsizetype index, const QString& price);
    ProductFault move(qsizetype from, qsizetype to);
    ProductFault remove(qsizetype index);
    ProductFault deliver(qsizetype index, int quantity);
    ProductFault setCount(qsizetype index, const QString& count);
    ProductFault setCode(qsizetype index, const QString& code);
    ProductFault setReorder(qsizetype index, const QString& reorder);

    // Writes the products file when it no longer holds the list: at once after a change of the list, and the counts
    // the sales moved once a minute and at the close. A write the disk refuses is tried again at the next minute.
    void save(bool counts);

private:
    // Writes a product line for the change and marks the file to be written.
    void changed(qsizetype index, const QString& change, const QString& value, const QString& before);
    // A change of one column of a product: its value before read first, then apply, then its product line.
    ProductFault changeField(qsizetype index, QStringView column, const QString& change, const QString& value,
                             const std::function<ProductFault()>& apply);
    void apply(const LedgerRecord& line);

    QString m_path;
    Ledger& m_ledger;
    ProductList m_products;
    RoomSettings m_room;
    Tab m_counter;
    QByteArray m_saved; // what the products file holds
    bool m_listChanged = false;
};

} // namespace tallivor
