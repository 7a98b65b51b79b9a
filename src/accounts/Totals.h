#pragma once

#include "ledger/LedgerReader.h"
#include "rules/Money.h"

#include <QHash>
#include <QString>

#include <array>
#include <vector>

namespace tallivor {

// Why a line deserves the owner's eye.
enum class Notice
{
    RemovedWithCharge, // a station removed while it still owed money
    TimeLowered,       // an edit that took time off a station
    Gap,               // stations marked running while nothing counted them
    PriceChanged,
    AckedLate,      // a station's paid time ran out and the operator acknowledged it more than two minutes later
    NeverAcked,     // ... and no acknowledgement for that station follows in the lines read
    LinesLost,      // lines that waited for the disk when the program ended are not in the ledger
    Voided,         // an item taken off a tab, or a counter sale given back
    StockBelowZero, // a counted product sold below zero: the shelf and the count disagree
    StockLow,       // a counted product at or below its reorder count
};

// A line that deserves a look.
struct Look
{
    int record = 0; // index into the period's lines
    Notice why = Notice::Gap;
    double seconds = 0; // AckedLate: how long the acknowledgement took
};

// How long a due station may wait for its acknowledgement before the report points at it.
inline constexpr double ackGraceSeconds = 120;

struct StationTotal
{
    QString station;
    int bills = 0;
    double seconds = 0;
    Money amount;               // the bills: time and items
    double overtimeMinutes = 0; // the minutes charged past a paid end
    Money items;                // the items' part of the bills
};

// What a product sold in a period: every sale line (on a tab or at the counter), and the voids apart.
struct ProductTotal
{
    QString product;
    qint64 quantity = 0;
    Money amount;
    qint64 counterQuantity = 0; // of those, sold at the counter
    Money counterAmount;
    qint64 voidQuantity = 0;
    Money voidAmount;
};

// What the bills of a span of the ledger add up to.
struct PeriodTotals
{
    int bills = 0;
    Money billed; // the bills: time and items
    Money items;  // the items' part of the bills
    Money counterSales;
    Money counterVoids;                 // counter sales given back
    std::vector<ProductTotal> products; // by name
    double seconds = 0;                 // time billed
    std::vector<StationTotal> stations; // by name
    std::array<Money, 24> byHour;       // takings by the local hour: bills and counter sales, less their voids
    std::vector<Look> looks;            // in the order of the lines

    // What the room took: its bills and counter sales, less the counter sales given back; and the time's part and the
    // products' of it.
    Money takings() const { return billed + counterSales - counterVoids; }
    Money timeTakings() const { return billed - items; }
    Money productTakings() const { return items + counterSales - counterVoids; }
};

// Adds up the bill lines of a period as they come (the charges as exact decimals) and picks the lines worth a look.
class Totals
{
public:
    // Takes the period's next line, its index-th.
    void add(const LedgerRecord& record, int index);
    // The reorder count of each counted product that has one: a sale that leaves one at or below it is worth a look.
    void setReorderCounts(QHash<QString, int> counts) { m_reorder = std::move(counts); }
    // The figures of the lines taken so far.
    PeriodTotals figures() const;

private:
    PeriodTotals m_totals; // stations in the order first billed, looks without those that wait for an ack
    QHash<QString, std::size_t> m_stationIndex;
    QHash<QString, std::vector<std::pair<int, QString>>> m_unanswered; // per station, its due lines' index and time
    QHash<QString, std::size_t> m_productIndex;
    QHash<QString, int> m_reorder;
    QHash<QString, std::pair<int, int>> m_lastStock; // per counted product: its last sale line's index and stock
    void addItem(const LedgerRecord& record, int index, bool voided);
};

PeriodTotals totalsOf(const std::vector<LedgerRecord>& records);

} // namespace tallivor
