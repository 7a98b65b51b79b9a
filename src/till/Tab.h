#pragma once

#include "rules/Money.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tallivor {

// One item on a station's tab, or sold at the counter: what was sold, how many at what unit price, the amount, and
// the check of its sale line, by which a void names it.
struct TabItem
{
    QString product;
    qint64 quantity = 1;
    Money price;  // the unit price
    Money amount; // quantity times the unit price
    QByteArray sale;
    quint64 saleLine = 0; // the sale line's number in the ledger this run, while its check is not known yet

    bool operator==(const TabItem&) const = default;
};

// What a customer has put on a station's bill beside the time since its last bill, in the order it was put.
class Tab
{
public:
    const std::vector<TabItem>& items() const { return m_items; }
    bool isEmpty() const { return m_items.empty(); }
    // What the items add to the bill.
    const Money& total() const { return m_total; }

    void add(TabItem item);
    // Takes off the item its sale line's check names, or the item at an index; nothing when the tab has no such item.
    std::optional<TabItem> takeOff(const QByteArray& sale);
    std::optional<TabItem> takeAt(std::size_t index);
    void clear();
    // Gives the items whose sale lines waited for the disk their checks, once checkOf knows them.
    void learnChecks(const std::function<QByteArray(quint64 line)>& checkOf);

    bool operator==(const Tab& other) const { return m_items == other.m_items; }

private:
    std::vector<TabItem> m_items;
    Money m_total;
};

} // namespace tallivor
