#include "board/PaidTime.h"

namespace tallivor {

PaidState PaidTime::state(const StationRecord& record)
{
    if (!record.paid)
        return PaidState::None;
    if (record.due)
        return record.acknowledged ? PaidState::Acknowledged : PaidState::Due;
    return *record.paid - record.spent <= warning ? PaidState::Soon : PaidState::Paid;
}

std::optional<qint64> PaidTime::remaining(const StationRecord& record)
{
    return record.paid ? std::optional<qint64>(*record.paid - record.spent) : std::nullopt;
}

bool PaidTime::crossesMark(qint64 before, qint64 after)
{
    return (before > warning && after <= warning) || (before > 0 && after <= 0);
}

bool PaidTime::settleDue(StationRecord& record, const QDateTime& now)
{
    const bool due = record.paid && record.spent >= *record.paid;
    if (due == record.due)
        return false;
    record.due = due;
    record.acknowledged = false;
    if (due)
        record.dueSince = now;
    return due;
}

std::optional<std::optional<qint64>> PaidTime::toppedUp(const StationRecord& record, qint64 spent, bool add)
{
    if (add) // a top-up pays for any time past the paid end first: it counts from the end, not from now
        return std::optional<qint64>(record.paid.value_or(spent) + step);
    if (!record.paid)
        return std::nullopt;
    const qint64 shortened = *record.paid - step;
    return shortened > spent ? std::optional<qint64>(shortened) : std::optional<qint64>();
}

bool PaidTime::acknowledge(StationRecord& record)
{
    if (!record.due || record.acknowledged)
        return false;
    record.acknowledged = true;
    return true;
}

} // namespace tallivor
