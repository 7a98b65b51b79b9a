#pragma once

#include <QWidget>

namespace tallivor {

// A vertical scroll bar used as a holder of a value. Unlike QScrollBar it never adjusts its range: the maximum may be
// set below the minimum, and a value outside the range between the two is refused and leaves the value unchanged.
// Setting a new value runs the change handling (change) at once, nested, and only when the value differs.
class ScrollBar : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr) : QWidget(parent) {}

    int min() const { return m_min; }
    int max() const { return m_max; }
    int value() const { return m_value; }

    void setMin(int min) { m_min = min; }
    void setMax(int max) { m_max = max; }
    // Returns false when the value lies outside the range and was refused.
    bool setValue(int value);

signals:
    void change();

private:
    int m_min = 0;
    int m_max = 0;
    int m_value = 0;
};

} // namespace tallivor
