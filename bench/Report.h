#pragma once

#include <QString>

#include <chrono>
#include <optional>
#include <vector>

namespace bench {

// Milliseconds between two points of the steady clock.
using Clock = std::chrono::steady_clock;
double millisecondsBetween(Clock::time_point start, Clock::time_point end);

// The summary of one series of measurements: the median and the spread around it.
struct Summary
{
    double median = 0;
    double p25 = 0;
    double p75 = 0;
    double min = 0;
    double max = 0;
    int count = 0;
};

// Summarises the samples (any order); an empty series gives all zeros.
Summary summarize(std::vector<double> samples);

// The result table, printed as fixed-width text: one row per measured case. The shell scripts print their rows in
// the same columns, so that the whole benchmark reads as one table.
class Report
{
public:
    // A row of repeated measurements in milliseconds. target: the most this case may cost, if it has a goal.
    void add(const QString& what, int rows, const Summary& summary, std::optional<double> targetMs = {},
             const QString& note = {});
    // A line of text between the rows (a section heading or a warning).
    void addText(const QString& text);

    static void printHeader();
    void print() const;

private:
    struct Row
    {
        QString what;
        int rows;
        Summary summary;
        std::optional<double> target;
        QString note;
        bool textOnly;
    };
    std::vector<Row> m_rows;
};

} // namespace bench
