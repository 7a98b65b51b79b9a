#include "lang/Relabel.h"

namespace tallivor {

bool relabelStates(QStringList& words, const QString& oldStop, const QString& oldStart, const QString& newStop,
                   const QString& newStart)
{
    bool changed = false;
    for (QString& word : words) {
        const QString* replacement = word == oldStop ? &newStop : word == oldStart ? &newStart : nullptr;
        if (replacement && word != *replacement) {
            word = *replacement;
            changed = true;
        }
    }
    return changed;
}

} // namespace tallivor
