#pragma once

#include <QByteArray>
#include <QDate>

namespace bench {

// A month file of a busy cafe with the given number of lines, spread evenly over the days from first to last (both in
// one month, UTC+01:00), 08:00 to 23:59: fourteen stations started, stopped and billed in turn, with now and then an
// edit that lowers a time, a station removed with a charge, a price change and a gap. Every line is chained.
QByteArray sampleLedgerMonth(QDate first, QDate last, int lines);

} // namespace bench
