#include "ui/ScrollBar.h"

#include <algorithm>

namespace tallivor {

bool ScrollBar::setValue(int value)
{
    if (value < std::min(m_min, m_max) || value > std::max(m_min, m_max))
        return false;
    if (value != m_value) {
        m_value = value;
        emit change();
    }
    return true;
}

} // namespace tallivor
