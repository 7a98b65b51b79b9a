// The one-second clock.
#include "board/ClockRule.h"
#include "board/Form1.h"

#include "ui/ListBox.h"
#include "ui/Platform.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace tallivor {

namespace {

// The first and last row that a pass changed, for one change notification per list.
struct ChangedRows
{
    qsizetype first = -1;
    qsizetype last = -1;
    void add(qsizetype row)
    {
        if (first < 0)
            first = row;
        last = row;
    }
    void announce(StringColumn& column) const
    {
        if (first >= 0)
            column.announceChanged(int(first), int(last));
    }
};

} // namespace

void Form1::clockTimeout()
{
    const SteadySeconds::Due due = m_seconds.due(m_platform.steadyTime());
    if (due.seconds > 0)
        tick(due.seconds);
    if (due.gap) {
        // Held up or asleep for over a minute: the owner sees it in the ledger, and what was not counted.
        m_ledger.writeGap(due.seconds + due.sleptSeconds, due.sleptSeconds, runningStations(), REL->text());
        emit clockGap(due.seconds, due.sleptSeconds);
    }
}

void Form1::tick(qint64 seconds)
{
    StringColumn& times = timeList->column();
    StringColumn& charges = Rellist->column();
    const QStringList& states = Eventlist->column().texts();
    const qsizetype rows = std::min({times.texts().size(), charges.texts().size(), states.size()});

    const QString priceText = REL->text(); // read afresh at every completed minute: a new price charges from now on
    PriceReader price(priceText);
    QString* time = times.texts().data();
    QString* charge = charges.texts().data();
    ChangedRows changedTimes, changedCharges;
    for (qsizetype i = 0; i < rows; ++i) {
        const bool running = states[i] == Startcaption;
        const RowChange change = seconds == 1 ? tickRow(time[i], charge[i], running, price)
                                              : advanceRow(time[i], charge[i], running, price, seconds);
        if (change != RowChange::None)
            changedTimes.add(i);
        if (change == RowChange::TimeAndCharge)
            changedCharges.add(i);
    }
    changedTimes.announce(times);
    changedCharges.announce(charges);
    NoVertScrollBar(Rellist);
}

} // namespace tallivor
