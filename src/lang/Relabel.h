#pragma once

#include <QStringList>

namespace tallivor {

// Gives the board's state words the words of a new language: each word equal to the old stopped word becomes the new
// stopped word, else each word equal to the old running word becomes the new running word; any other word stays.
// Comparisons are exact. Returns whether any word changed.
bool relabelStates(QStringList& words, const QString& oldStop, const QString& oldStart, const QString& newStop,
                   const QString& newStart);

} // namespace tallivor
