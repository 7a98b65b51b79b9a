#pragma once

#include "till/Tab.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace tallivor {

// What a customer pays at a bill, as the bill window and the receipt show it.
struct Bill
{
    QString station;
    QString spent;      // the time spent, as the board showed it
    QString timeCharge; // its charge, as the board showed it
    std::vector<TabItem> items;
    std::optional<Money> itemsTotal; // what the items came to; none for a bill of time alone
    Money total;
    QDateTime time;
    quint64 line = 0; // the bill line's number in the ledger this run: its check is the receipt's number
};

} // namespace tallivor
