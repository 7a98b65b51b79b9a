#pragma once

#include "board/StationTable.h"

#include <vector>

namespace tallivor {

// What a pass of the clock over the table changed: the first and last row whose time and whose charge it rewrote
// (-1 for none), and the paid stations it turned amber or brought to their paid end.
struct ClockPass
{
    int firstSpent = -1, lastSpent = -1;
    int firstCharged = -1, lastCharged = -1;
    std::vector<int> marked;
};

// Seconds of the clock over every row: a row whose state word is the running word counts them up and is charged at
// each completed minute its own price or the board's, exactly as that many single seconds would do it.
ClockPass passClock(std::vector<Station>& rows, const QString& boardPrice, const QString& runningWord, qint64 seconds);

} // namespace tallivor
