#include "report/HourChart.h"

#include "ui/Layout.h"

#include <QPainter>

#include <algorithm>

namespace tallivor {

HourChart::HourChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(24 * 9, 120);
}

void HourChart::setValues(const std::array<double, 24>& values)
{
    m_values = values;
    update();
}

void HourChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x161A1D));
    const QFont font = designFont(tahoma(7));
    painter.setFont(font);
    const int labels = QFontMetrics(font).height() + 2;
    const QRectF plot = QRectF(rect()).adjusted(4, 6, -4, -labels);
    const double highest = std::max(*std::max_element(m_values.begin(), m_values.end()), 0.0);
    const double slot = plot.width() / 24;
    for (int hour = 0; hour < 24; ++hour) {
        const double x = plot.left() + hour * slot;
        if (highest > 0 && m_values[std::size_t(hour)] > 0) {
            const double height = std::max(1.0, plot.height() * m_values[std::size_t(hour)] / highest);
            painter.fillRect(QRectF(x + 1, plot.bottom() - height, slot - 2, height), QColor(0xEB9505));
        }
        if (hour % 3 == 0) {
            painter.setPen(Qt::white);
            painter.drawText(QRectF(x, plot.bottom() + 1, slot * 3, labels), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(hour));
        }
    }
    painter.setPen(QColor(0x808080));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
}

} // namespace tallivor
