#include "library/core/TreeSearch.h"

#include <gtest/gtest.h>

using namespace ergotab::library;

namespace {

bool wholeWord(const QString &caption, const QString &text)
{
    return captionMatches(caption, text, {true, false, true});
}

} // namespace

TEST(LibrarySearch, WholeWordTestsOnlyTheFirstOccurrenceBetweenSeparators)
{
    EXPECT_TRUE(wholeWord(QStringLiteral("limit PEL"), QStringLiteral("PEL")));
    EXPECT_TRUE(wholeWord(QStringLiteral("PEL-2"), QStringLiteral("PEL")));
    EXPECT_TRUE(wholeWord(QStringLiteral("2PEL"), QStringLiteral("PEL"))) << "digits separate words";
    EXPECT_FALSE(wholeWord(QStringLiteral("PELx"), QStringLiteral("PEL")));
    EXPECT_FALSE(wholeWord(QStringLiteral("PELY a PEL"), QStringLiteral("PEL")));
    EXPECT_TRUE(wholeWord(QStringLiteral("PEL"), QStringLiteral("pel"))) << "the caption's own start";
    // National letters belong to words, so a word cut before one is no whole word.
    EXPECT_FALSE(wholeWord(QStringLiteral("Zatěž"), QStringLiteral("zat")));
    EXPECT_TRUE(wholeWord(QStringLiteral("[PEL]"), QStringLiteral("PEL")));
    EXPECT_TRUE(wholeWord(QStringLiteral("{PEL}"), QStringLiteral("PEL")));
}

TEST(LibrarySearch, MatchCaseAndTheEmptyText)
{
    const SearchOptions anyCase {true, false, false};
    const SearchOptions exactCase {true, true, false};
    EXPECT_TRUE(captionMatches(QStringLiteral("Zátěž hlukem"), QStringLiteral("hluk"), anyCase));
    EXPECT_TRUE(captionMatches(QStringLiteral("ZÁTĚŽ HLUKEM"), QStringLiteral("hluk"), anyCase));
    EXPECT_TRUE(captionMatches(QStringLiteral("ZÁTĚŽ HLUKEM"), QStringLiteral("zátěž"), anyCase)) << "Czech upper case";
    EXPECT_TRUE(captionMatches(QStringLiteral("Zátěž hlukem"), QStringLiteral("hluk"), exactCase));
    EXPECT_FALSE(captionMatches(QStringLiteral("ZÁTĚŽ HLUKEM"), QStringLiteral("hluk"), exactCase));
    EXPECT_FALSE(captionMatches(QStringLiteral("Hluk"), QString(), anyCase));
}

TEST(LibrarySearch, DirectionsEndsAndContinuing)
{
    const QStringList captions {QStringLiteral("Hluk"), QStringLiteral("Prach"), QStringLiteral("Hluk"),
                                QStringLiteral("Chlad")};
    SearchOptions down {true, false, false};
    SearchOptions up {false, false, false};
    EXPECT_EQ(findCaption(captions, 0, false, QStringLiteral("hluk"), down), 0) << "the selected item counts";
    EXPECT_EQ(findCaption(captions, 0, true, QStringLiteral("hluk"), down), 2) << "after a hit, from the next";
    EXPECT_EQ(findCaption(captions, 2, true, QStringLiteral("hluk"), down), -1);
    EXPECT_EQ(findCaption(captions, 3, true, QStringLiteral("hluk"), up), 2);
    EXPECT_EQ(findCaption(captions, 1, false, QStringLiteral("hluk"), up), 0);
    // Continued past either end, the end item is tested again instead of "nothing found".
    EXPECT_EQ(findCaption(captions, 3, true, QStringLiteral("chlad"), down), 3);
    EXPECT_EQ(findCaption(captions, 0, true, QStringLiteral("hluk"), up), 0);
    EXPECT_EQ(findCaption({}, 0, false, QStringLiteral("hluk"), down), -1) << "an empty library";
    EXPECT_EQ(findCaption(captions, -1, false, QStringLiteral("chlad"), down), 3);
}
