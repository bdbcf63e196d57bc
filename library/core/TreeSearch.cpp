#include "TreeSearch.h"

#include <algorithm>

namespace ergotab::library {

bool isWordSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 32 && u <= 64) || (u >= 91 && u <= 96) || (u >= 123 && u <= 127);
}

bool captionMatches(const QString &caption, const QString &text, const SearchOptions &options)
{
    if (text.isEmpty())
        return false;
    QString candidate = QLatin1Char(' ') + caption;
    QString wanted = text;
    if (!options.matchCase) {
        candidate = candidate.toUpper();
        wanted = wanted.toUpper();
    }
    const qsizetype at = candidate.indexOf(wanted);
    if (at < 0)
        return false;
    if (!options.wholeWord)
        return true;
    const qsizetype after = at + wanted.size();
    const bool separatedBefore = at == 0 || isWordSeparator(candidate.at(at - 1));
    const bool separatedAfter = after >= candidate.size() || isWordSeparator(candidate.at(after));
    return separatedBefore && separatedAfter;
}

int findCaption(const QStringList &captions, int start, bool lastFound, const QString &text,
                const SearchOptions &options)
{
    const int count = static_cast<int>(captions.size());
    if (count == 0)
        return -1;
    const int step = options.down ? 1 : -1;
    int n = std::clamp(start, 0, count - 1);
    if (lastFound)
        n = std::clamp(n + step, 0, count - 1);
    for (; n >= 0 && n < count; n += step) {
        if (captionMatches(captions.at(n), text, options))
            return n;
    }
    return -1;
}

} // namespace ergotab::library
