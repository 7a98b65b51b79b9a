#pragma once

#include "accounts/ReportModel.h"
#include "lang/KeyedTexts.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tallivor {

// What the report says, in the words of the language in force: its period, the chain's findings, each line worth a
// look, amounts with the currency unit. The window shows them and its print carries the same words.
class ReportWords
{
public:
    ReportWords(const KeyedTexts& texts, QString unit);

    const KeyedTexts& texts() const { return m_texts; }
    const QString& unit() const { return m_unit; }
    // The texts read right to left: the window and its print are mirrored.
    bool rightToLeft() const { return m_rightToLeft; }
    // A text that keeps its own left-to-right order inside right-to-left texts (dates, times, names).
    QString isolated(const QString& text) const;
    // An amount with the currency unit after it.
    QString money(const QString& amount) const;

    QString period(const ReportModel& model) const;
    // The report's heading, its figures and what its chain says, as the window shows them and the print carries them.
    QString title(const ReportModel& model) const;
    QStringList figures(const PeriodTotals& totals) const; // bills, amount billed, time billed
    QString takings(const PeriodTotals& totals) const;     // the takings, and the time's and the products' parts
    QString chain(const ReportModel& model) const;
    // The tables per station and per product: their headings, and a row's cells.
    QStringList stationHeadings() const;
    static QStringList stationCells(const StationTotal& station);
    QStringList productHeadings() const;
    static QStringList productCells(const ProductTotal& product);
    // The period as part of a file name: "2026-12-07", "2026-12-01_2026-12-07", "shift-2026-12-07_143000".
    static QString periodFileName(const ReportModel& model, const QDateTime& now);
    QStringList findings(const ReportModel& model) const;
    QString look(const ReportModel& model, const Look& look) const;

private:
    KeyedTexts m_texts;
    QString m_unit;
    bool m_rightToLeft;
};

} // namespace tallivor
