#pragma once

#include <QByteArray>
#include <QDate>

namespace bench {

// A month file of a busy cafe with the given number of lines, spread evenly over the days from first to last (both in
// one month, UTC+01:00), 08:00 to 23:59: fourteen stations started, stopped and billed in turn, with an edit that
// lowers a time about every 100 lines, a station removed with a charge every 200, a price change every 500 and a gap
// every 1,000 (each of them within the first 120 lines too). Every line is chained.
// sales: the lines that would start a station are sales instead (a third of the lines), as in a room that sells
// at the counter and onto the tabs.
QByteArray sampleLedgerMonth(QDate first, QDate last, int lines, bool sales = false);

} // namespace bench
