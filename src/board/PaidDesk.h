#pragma once

#include "board/Clocks.h"
#include "board/PaidTime.h"
#include "board/StationTable.h"
#include "ledger/Events.h"
#include "ledger/Ledger.h"

#include <QObject>

#include <functional>

namespace tallivor {

// The operations on paid time, with the lines they write: a paid time set or topped up, a station that reaches its
// paid end, an acknowledgement. The Board calls them and writes the files after.
class PaidDesk : public QObject
{
    Q_OBJECT
public:
    // fields: what a ledger line says of the station in a row.
    PaidDesk(StationTable& table, Ledger& ledger, Clocks& clocks, std::function<StationFields(int row)> fields,
             QObject* parent = nullptr);

    // Sets the station's paid time, in seconds of time spent, or removes it (none): the due state follows at once.
    void setPaidTime(int row, std::optional<qint64> seconds);
    // Adds PaidTime::step to the paid time, or (add false) takes it off.
    void topUp(int row, bool add);
    // Brings the station's due state in line; writeDue: a due line when it reaches its paid end now (not at the
    // start, when it is found past it).
    void settleDue(int row, bool writeDue = true);
    // The station's time spent was set (an edit, a bill): its due state follows, its rows are drawn anew.
    void setSpent(int row, qint64 seconds);
    // The clock moved the station's time spent: its due state follows, its rows are drawn anew.
    void settle(int row);
    // The operator has seen that the station is due (or every due station). True when that changed anything.
    bool acknowledge(int row);
    bool acknowledgeAll();
    // The station's paid state may have changed: its rows are drawn anew, and the alarm is told.
    void changed(int row);

signals:
    void stationDue(tallivor::StationId station);
    void paidStateChanged(tallivor::StationId station);

private:
    StationTable& m_table;
    Ledger& m_ledger;
    Clocks& m_clocks;
    std::function<StationFields(int)> m_fields;
};

} // namespace tallivor
