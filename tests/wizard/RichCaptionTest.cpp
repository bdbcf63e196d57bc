#include "wizard/RichCaption.h"
#include "wizard/ClickableLabel.h"
#include "wizard/RichLabel.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace ergotab;

namespace {

QFont pixelFont(const char *family, int pixels)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    return font;
}

QFont times16()
{
    return pixelFont("Times New Roman", 16);
}

QFont symbol16()
{
    return pixelFont("Symbol", 16);
}

int advance(const QFont &font, int pixels, const QString &text)
{
    QFont f = font;
    f.setPixelSize(pixels);
    return QFontMetrics(f).horizontalAdvance(text);
}

} // namespace

TEST(RichCaption, ScriptsOfSixteenPixelFontsAreTwelvePixelsRaisedFourAndLoweredEight)
{
    const RichCaptionLayout l = layoutRichCaption(QStringLiteral("10~S-6~0 m.s~S-2"), times16(), symbol16());
    ASSERT_EQ(l.runs.size(), 4);
    EXPECT_EQ(l.size.height(), 32);
    EXPECT_EQ(l.lineTop, 8);

    EXPECT_EQ(l.runs[0].text, QStringLiteral("10"));
    EXPECT_EQ(l.runs[0].font.pixelSize(), 16);
    EXPECT_EQ(l.runs[0].top, 8);
    EXPECT_EQ(l.runs[0].x, 0);

    EXPECT_EQ(l.runs[1].text, QStringLiteral("-6"));
    EXPECT_EQ(l.runs[1].font.pixelSize(), 12);
    EXPECT_EQ(l.runs[1].top, 8 - 4);
    EXPECT_EQ(l.runs[1].x, advance(times16(), 16, QStringLiteral("10")));

    EXPECT_EQ(l.runs[2].text, QStringLiteral(" m.s"));
    EXPECT_EQ(l.runs[2].font.pixelSize(), 16);
    EXPECT_EQ(l.runs[2].top, 8) << "drawing goes on at the line after a script";

    EXPECT_EQ(l.runs[3].text, QStringLiteral("-2"));
    EXPECT_EQ(l.runs[3].top, 4);

    const int width = advance(times16(), 16, QStringLiteral("10")) + advance(times16(), 12, QStringLiteral("-6")) +
                      advance(times16(), 16, QStringLiteral(" m.s")) + advance(times16(), 12, QStringLiteral("-2"));
    EXPECT_EQ(l.size.width(), width);
    EXPECT_EQ(l.runs[3].x + advance(times16(), 12, QStringLiteral("-2")), width);
}

TEST(RichCaption, SubscriptsAreLoweredByHalfTheHeight)
{
    const RichCaptionLayout l = layoutRichCaption(QStringLiteral("L~s8h~0 <"), times16(), symbol16());
    ASSERT_EQ(l.runs.size(), 3);
    EXPECT_EQ(l.runs[1].text, QStringLiteral("8h"));
    EXPECT_EQ(l.runs[1].font.pixelSize(), 12);
    EXPECT_EQ(l.runs[1].top, 8 + 8);
    EXPECT_EQ(l.runs[2].top, 8);

    const RichCaptionLayout f = layoutRichCaption(QStringLiteral("F~smax"), times16(), symbol16());
    ASSERT_EQ(f.runs.size(), 2);
    EXPECT_EQ(f.runs[1].text, QStringLiteral("max"));
    EXPECT_EQ(f.runs[1].top, 16);
}

TEST(RichCaption, ScriptOffsetsRoundHalfTheHeightToEven)
{
    // 16: r 8; 15: r 7.5 -> 8; 13: r 6.5 -> 6; 10: r 5.
    EXPECT_EQ(scriptPixelHeight(16), 12);
    EXPECT_EQ(superscriptRaise(16), 4);
    EXPECT_EQ(subscriptDrop(16), 8);
    EXPECT_EQ(scriptPixelHeight(15), 11);
    EXPECT_EQ(superscriptRaise(15), 4);
    EXPECT_EQ(subscriptDrop(15), 8);
    EXPECT_EQ(scriptPixelHeight(13), 9);
    EXPECT_EQ(superscriptRaise(13), 3);
    EXPECT_EQ(subscriptDrop(13), 6);
    EXPECT_EQ(superscriptRaise(10), 2);
    EXPECT_EQ(subscriptDrop(10), 5);
}

TEST(RichCaption, FontCodesSwitchForWhatFollowsAndEmptyCodesDrawNothing)
{
    const QFont second = pixelFont("Symbol", 20);
    const RichCaptionLayout l = layoutRichCaption(QStringLiteral("a~2b~Sc~0d~1e~2~"), times16(), second);
    ASSERT_EQ(l.runs.size(), 5);
    EXPECT_EQ(l.runs[1].font.family(), second.family());
    EXPECT_EQ(l.runs[1].font.pixelSize(), 20);
    EXPECT_EQ(l.runs[2].font.pixelSize(), 15) << "script of the second font";
    EXPECT_EQ(l.runs[2].top, l.lineTop - 5);
    EXPECT_EQ(l.runs[3].font.pixelSize(), 20) << "the second font stays chosen";
    EXPECT_EQ(l.runs[4].font.pixelSize(), 16);
    EXPECT_EQ(l.size.height(), 40) << "twice the largest font used";
    EXPECT_EQ(l.lineTop, 10);

    const RichCaptionLayout trailing = layoutRichCaption(QStringLiteral("x~"), times16(), symbol16());
    ASSERT_EQ(trailing.runs.size(), 1);
    EXPECT_EQ(trailing.size.width(), advance(times16(), 16, QStringLiteral("x")));
}

TEST(RichCaption, TinyFontsStillGiveAFivePixelLabel)
{
    const RichCaptionLayout l =
        layoutRichCaption(QStringLiteral("x"), pixelFont("Times New Roman", 2), pixelFont("Symbol", 2));
    EXPECT_EQ(l.size.height(), 5);
}

TEST(RichLabel, SizesItselfToItsCaption)
{
    RichLabel label(QStringLiteral("F~smax"));
    const RichCaptionLayout expected =
        layoutRichCaption(QStringLiteral("F~smax"), RichLabel::defaultFirstFont(), RichLabel::defaultSecondFont());
    EXPECT_EQ(label.size(), expected.size);
    EXPECT_EQ(label.height(), 32);
    const int narrow = label.width();
    label.setCaption(QStringLiteral("> 30% F~smax"));
    EXPECT_GT(label.width(), narrow);
    EXPECT_EQ(label.sizeHint(), label.size());
}

TEST(BoldMarkup, BoldWordsLineBreaksAndLiteralText)
{
    const QString html = ClickableLabel::boldMarkupToHtml(
        QStringLiteral("míra > 0,3 & tepelné zátěže\n<b>nevyžaduje omezení doby</b> práce"));
    EXPECT_TRUE(
        html.contains(QStringLiteral("míra &gt; 0,3 &amp; tepelné zátěže<br><b>nevyžaduje omezení doby</b> práce")))
        << html.toStdString();
    EXPECT_TRUE(ClickableLabel::boldMarkupToHtml(QStringLiteral("a <b>b")).contains(QStringLiteral("a <b>b</b>")))
        << "an unclosed bold part ends with the caption";
}
