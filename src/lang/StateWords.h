#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace tallivor {

// The two words that say whether a station runs: a row runs exactly when its word is the running word.
struct StateWords
{
    QString running;
    QString stopped;

    bool operator==(const StateWords&) const = default;
};

// The words every board can fall back on when no language file gives usable ones.
StateWords builtInStateWords();

// Whether a word can serve as a state word: it is not empty and the station file can store it.
bool isUsableStateWord(const QString& word);

// Whether both words can serve and differ, so that every row is either running or stopped and can be toggled.
bool areUsableStateWords(const StateWords& words);

// The state words in force after a language file is applied. Each word the file gives (running, stopped) is taken
// when it can serve; a word it leaves out or gives unusable keeps the word in force, and without one of those the
// fallback's. Two words that came out equal give way to the words in force, or to the fallback. The fallback (the
// default language's words, else the built-in ones) must be usable; it is asked for only when needed.
StateWords chooseStateWords(const std::optional<QString>& running, const std::optional<QString>& stopped,
                            const StateWords& inForce, const std::function<StateWords()>& fallback);

} // namespace tallivor
