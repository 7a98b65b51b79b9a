#pragma once

#include <QWidget>

#include <array>

namespace tallivor {

// A bar chart of the takings in each hour of the day, 0 to 23, drawn on the report window.
class HourChart : public QWidget
{
    Q_OBJECT
public:
    explicit HourChart(QWidget* parent = nullptr);

    // The takings of each hour; the tallest bar fills the chart's height.
    void setValues(const std::array<double, 24>& values);
    const std::array<double, 24>& values() const { return m_values; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, 24> m_values{};
};

} // namespace tallivor
