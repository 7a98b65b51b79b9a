#include "report/HourChart.h"

#include "rules/Numbers.h"
#include "ui/Layout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallivor {

HourChart::HourChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(24 * 9 + 30, 140);
}

void HourChart::setValues(const std::array<double, 24>& values, const std::array<QString, 24>& amounts)
{
    m_values = values;
    m_amounts = amounts;
    update();
}

std::vector<double> HourChart::scaleOf(double highest)
{
    if (!(highest > 0) || !std::isfinite(highest))
        return {0};
    const double power = std::pow(10.0, std::floor(std::log10(highest / 4)));
    double step = 10 * power; // at most four of these reach the tallest bar
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (std::ceil(highest / (multiple * power) - 1e-9) <= 4) {
            step = multiple * power;
            break;
        }
    }
    const int steps = std::max(1, int(std::ceil(highest / step - 1e-9)));
    std::vector<double> scale;
    for (int i = 0; i <= steps; ++i)
        scale.push_back(i * step);
    return scale;
}

void HourChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x161A1D));
    const QFont font = designFont(tahoma(7));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();

    const std::vector<double> scale = scaleOf(*std::max_element(m_values.begin(), m_values.end()));
    QStringList scaleTexts;
    double axis = 0;
    for (const double mark : scale) {
        scaleTexts << numberText(mark);
        axis = std::max(axis, metrics.horizontalAdvance(scaleTexts.back()));
    }
    axis += 8;
    std::array<QString, 24> amounts;
    double widest = 0;
    for (std::size_t hour = 0; hour < 24; ++hour) {
        if (m_values[hour] > 0) {
            amounts[hour] = m_amounts[hour].isEmpty() ? numberText(m_values[hour]) : m_amounts[hour];
            widest = std::max(widest, metrics.horizontalAdvance(amounts[hour]));
        }
    }
    const double slot = (width() - axis - 4) / 24;
    // The amounts stand upright over their bars when each fits its bar's width, else they run up the bar's line.
    const bool upright = widest <= slot - 1;
    const double headroom = std::min(upright ? line : widest + 4, height() / 2.0);
    const QRectF plot(axis, 4 + headroom, width() - axis - 4, height() - 4 - headroom - line - 2);

    const double top = scale.back();
    for (std::size_t i = 0; i < scale.size(); ++i) {
        const double y = plot.bottom() - (top > 0 ? plot.height() * scale[i] / top : 0);
        painter.setPen(QColor(i == 0 ? 0x808080 : 0x3A4046));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QColor(0xC0C0C0));
        painter.drawText(QRectF(0, y - line / 2, axis - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                         scaleTexts[int(i)]);
    }
    for (int hour = 0; hour < 24; ++hour) {
        const double x = plot.left() + hour * slot;
        const std::size_t h = std::size_t(hour);
        if (!amounts[h].isEmpty()) {
            const double height = std::max(1.0, plot.height() * m_values[h] / top);
            const double barTop = plot.bottom() - height;
            painter.fillRect(QRectF(x + 1, barTop, slot - 2, height), QColor(0xEB9505));
            painter.setPen(Qt::white);
            if (upright) {
                painter.drawText(QRectF(x - slot, barTop - line - 1, slot * 3, line),
                                 Qt::AlignHCenter | Qt::AlignBottom, amounts[h]);
            } else {
                painter.save();
                painter.translate(x + slot / 2, barTop - 2);
                painter.rotate(-90);
                painter.drawText(QRectF(0, -line / 2, widest + 2, line), Qt::AlignLeft | Qt::AlignVCenter, amounts[h]);
                painter.restore();
            }
        }
        if (hour % 3 == 0) {
            painter.setPen(Qt::white);
            painter.drawText(QRectF(x, plot.bottom() + 1, slot * 3, line + 1), Qt::AlignLeft | Qt::AlignTop,
                             QString::number(hour));
        }
    }
}

} // namespace tallivor
