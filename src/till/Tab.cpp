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

void Tab::clear()
{
    m_items.clear();
    m_total = Money();
}

} // namespace tallivor
