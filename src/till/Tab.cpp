#include "till/Tab.h"

#include <algorithm>

namespace tallivor {

void Tab::add(TabItem item)
{
    m_total += item.amount;
    m_items.push_back(std::move(item));
}

std::optional<TabItem> Tab::takeOff(const QByteArray& sale)
{
    const auto found =
        std::find_if(m_items.begin(), m_items.end(), [&sale](const TabItem& item) { return item.sale == sale; });
    if (found == m_items.end())
        return std::nullopt;
    TabItem item = std::move(*found);
    m_items.erase(found);
    m_total -= item.amount;
    return item;
}

std::optional<TabItem> Tab::takeAt(std::size_t index)
{
    if (index >= m_items.size())
        return std::nullopt;
    TabItem item = std::move(m_items[index]);
    m_items.erase(m_items.begin() + std::ptrdiff_t(index));
    m_total -= item.amount;
    return item;
}

void Tab::learnChecks(const std::function<QByteArray(quint64)>& checkOf)
{
    for (TabItem& item : m_items) {
        if (item.sale.isEmpty())
            item.sale = checkOf(item.saleLine);
    }
}

void Tab::clear()
{
    m_items.clear();
    m_total = Money();
}

} // namespace tallivor
