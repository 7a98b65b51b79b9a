#include "Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

double millisecondsBetween(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

namespace {

// The q-quantile of sorted samples, interpolated between neighbours.
double quantile(const std::vector<double>& sorted, double q)
{
    if (sorted.empty())
        return 0;
    const double position = q * double(sorted.size() - 1);
    const std::size_t below = std::size_t(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = position - double(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 3 : (value < 1000 ? 2 : 1));
}

} // namespace

Summary summarize(std::vector<double> samples)
{
    Summary summary;
    if (samples.empty())
        return summary;
    std::sort(samples.begin(), samples.end());
    summary.median = quantile(samples, 0.5);
    summary.p25 = quantile(samples, 0.25);
    summary.p75 = quantile(samples, 0.75);
    summary.min = samples.front();
    summary.max = samples.back();
    summary.count = int(samples.size());
    return summary;
}

void Report::add(const QString& what, int rows, const Summary& summary, std::optional<double> targetMs,
                 const QString& note)
{
    m_rows.push_back({what, rows, summary, targetMs, note, false});
}

void Report::addText(const QString& text)
{
    m_rows.push_back({text, 0, {}, {}, {}, true});
}

void Report::printHeader()
{
    std::printf("%-60s %6s %4s %9s %9s %9s %9s %9s %4s  %s\n", "case", "rows", "unit", "median", "p25", "p75", "min",
                "max", "n", "target / note");
}

void Report::print() const
{
    for (const Row& row : m_rows) {
        if (row.textOnly) {
            std::printf("%s\n", qPrintable(row.what));
            continue;
        }
        QString tail;
        if (row.target)
            tail = QStringLiteral("<= %1 ms: %2")
                       .arg(*row.target)
                       .arg(QLatin1String(row.summary.median <= *row.target ? "met" : "NOT MET"));
        if (!row.note.isEmpty())
            tail += (tail.isEmpty() ? QString() : QStringLiteral("; ")) + row.note;
        const Summary& s = row.summary;
        std::printf("%-60s %6d %4s %9s %9s %9s %9s %9s %4d  %s\n", qPrintable(row.what), row.rows, "ms",
                    qPrintable(number(s.median)), qPrintable(number(s.p25)), qPrintable(number(s.p75)),
                    qPrintable(number(s.min)), qPrintable(number(s.max)), s.count, qPrintable(tail));
    }
    std::fflush(stdout);
}

} // namespace bench
