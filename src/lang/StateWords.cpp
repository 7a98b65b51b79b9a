#include "lang/StateWords.h"

#include "store/StationFile.h"

namespace tallivor {

StateWords builtInStateWords()
{
    return {QStringLiteral("Start"), QStringLiteral("Stop")};
}

bool isUsableStateWord(const QString& word)
{
    return !word.isEmpty() && fitsStationField(word);
}

bool areUsableStateWords(const StateWords& words)
{
    return isUsableStateWord(words.running) && isUsableStateWord(words.stopped) && words.running != words.stopped;
}

StateWords chooseStateWords(const std::optional<QString>& running, const std::optional<QString>& stopped,
                            const StateWords& inForce, const std::function<StateWords()>& fallback)
{
    std::optional<StateWords> fallbackWords;
    const auto lastResort = [&]() -> const StateWords& {
        if (!fallbackWords)
            fallbackWords = fallback();
        return *fallbackWords;
    };
    const auto pick = [&](const std::optional<QString>& given, const QString& current, QString StateWords::*word) {
        if (given && isUsableStateWord(*given))
            return *given;
        return isUsableStateWord(current) ? current : lastResort().*word;
    };
    const StateWords chosen{pick(running, inForce.running, &StateWords::running),
                            pick(stopped, inForce.stopped, &StateWords::stopped)};
    if (chosen.running != chosen.stopped)
        return chosen;
    return areUsableStateWords(inForce) ? inForce : lastResort();
}

} // namespace tallivor
