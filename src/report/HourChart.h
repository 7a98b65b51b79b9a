#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <vector>

namespace tallivor {

// A bar chart of the takings in each hour of the day, 0 to 23, drawn on the report window: a scale on the left with
// a few round amounts, and each hour's amount over its bar.
class HourChart : public QWidget
{
    Q_OBJECT
public:
    explicit HourChart(QWidget* parent = nullptr);

    // The takings of each hour, as numbers for the bars and as the texts written over them (an hour without a text
    // shows its number).
    void setValues(const std::array<double, 24>& values, const std::array<QString, 24>& amounts = {});
    const std::array<double, 24>& values() const { return m_values; }
    const std::array<QString, 24>& amounts() const { return m_amounts; }

    // The amounts the scale marks for a tallest bar: 0 and up to five round steps (1, 2 or 5 times a power of ten),
    // the last at or above the tallest; only 0 when there is nothing to show.
    static std::vector<double> scaleOf(double highest);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, 24> m_values{};
    std::array<QString, 24> m_amounts{};
};

} // namespace tallivor
