#pragma once

#include "lang/StateWords.h"

namespace tallivor {

// The state words of a language switch: a word equal to the old stopped word becomes the new stopped word, else a
// word equal to the old running word becomes the new running word; any other word stays. Comparisons are exact.
struct Relabel
{
    StateWords from, to;

    // The word's new text; nothing when it stays as it is.
    const QString* of(const QString& word) const
    {
        const QString* replacement = word == from.stopped ? &to.stopped : word == from.running ? &to.running : nullptr;
        return replacement && *replacement != word ? replacement : nullptr;
    }
};

} // namespace tallivor
