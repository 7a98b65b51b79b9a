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
    AckedLate,  // a station's paid time ran out and the operator acknowledged it more than two minutes later
    NeverAcked, // ... and no acknowledgement for that station follows in the lines read
    LinesLost,  // lines that waited for the disk when the program ended are not in the ledger
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
    Money amount;
    double overtimeMinutes = 0; // the minutes charged past a paid end
};

// What the bills of a span of the ledger add up to.
struct PeriodTotals
{
    int bills = 0;
    Money billed;
    double seconds = 0;                 // time billed
    std::vector<StationTotal> stations; // by name
    std::array<Money, 24> byHour;       // takings by the local hour of the bill
    std::vector<Look> looks;            // in the order of the lines
};

// Adds up the bill lines of a period as they come (the charges as exact decimals) and picks the lines worth a look.
class Totals
{
public:
    // Takes the period's next line, its index-th.
    void add(const LedgerRecord& record, int index);
    // The figures of the lines taken so far.
    PeriodTotals figures() const;

private:
    PeriodTotals m_totals; // stations in the order first billed, looks without those that wait for an ack
    QHash<QString, std::size_t> m_stationIndex;
    QHash<QString, std::vector<std::pair<int, QString>>> m_unanswered; // per station, its due lines' index and time
};

PeriodTotals totalsOf(const std::vector<LedgerRecord>& records);

} // namespace tallivor
