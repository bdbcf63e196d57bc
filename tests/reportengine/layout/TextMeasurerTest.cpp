#include "reportengine/layout/TextMeasurer.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace Qt::StringLiterals;

// With 10 pt type every character is 1.764 mm wide: 10 characters need 17.64 mm.
TEST(TextMeasurer, WrapsBetweenWordsBreaksLongWordsAndKeepsLineBreaks)
{
    FixedTextMeasurer m;
    const FontSpec font;
    const double tenChars = 10 * 10 * 0.5 * 25.4 / 72 + 1e-9;
    struct Case
    {
        QString text;
        bool wrap;
        QStringList lines;
    };
    const Case cases[] = {
        {u"abc def gh"_s, true, {u"abc def gh"_s}},         // exactly ten
        {u"abc def ghi"_s, true, {u"abc def"_s, u"ghi"_s}}, // one more moves a word
        {u"abcdefghijklmnopqrstuvwxy"_s, true, {u"abcdefghij"_s, u"klmnopqrst"_s, u"uvwxy"_s}},
        {u"ab\n\ncd"_s, true, {u"ab"_s, u""_s, u"cd"_s}},            // empty lines kept
        {u"one two three four"_s, false, {u"one two three four"_s}}, // no wrapping
        {u"a b\nc d"_s, false, {u"a b"_s, u"c d"_s}},
        {u""_s, true, {u""_s}},
        {u"x  abcdefghijk"_s, true, {u"x "_s, u"abcdefghij"_s, u"k"_s}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(m.lines(c.text, font, tenChars, c.wrap), c.lines) << c.text.toStdString();
    // Narrower than one character: one character a line, never an endless loop.
    EXPECT_EQ(m.lines(u"abc"_s, font, 0.1, true), QStringList({u"a"_s, u"b"_s, u"c"_s}));
}
