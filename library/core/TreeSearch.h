#pragma once

#include <QStringList>

namespace ergotab::library {

struct SearchOptions
{
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// The word separators of the search: codes 32 to 64, 91 to 96 and 123 to 127 (space, digits,
// punctuation). Letters, control characters and everything above 127 belong to words.
bool isWordSeparator(QChar c);

// Whether a caption holds the text. The caption is tested with one space before it; without
// match case both are compared in upper case. With whole word only the first occurrence
// counts, and it needs a separator (or the end) on either side. An empty text matches nothing.
bool captionMatches(const QString &caption, const QString &text, const SearchOptions &options);

// The library window's search over the captions of the tree in depth-first order: from the
// item at `start`, or the one after it in the direction when the last search found an item
// (kept within the list, so a search continued past either end tests the end item again),
// to the end in the direction. Returns the position of the first hit, or -1.
int findCaption(const QStringList &captions, int start, bool lastFound, const QString &text,
                const SearchOptions &options);

} // namespace ergotab::library
