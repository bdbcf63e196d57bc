#pragma once

#include <QFont>
#include <QList>
#include <QSize>
#include <QString>

namespace ergotab {

// The small markup of the answer labels. A caption is cut at each "~"; the character after a
// "~" is a code for the text that follows it, up to the next "~":
//   "1" first font, "2" second font (both stay chosen for what follows),
//   "S" superscript, "s" subscript, anything else ("0" by custom) normal text.
// So "10~S-6~0 m.s~S-2" is ten to the power minus six, " m.s" and the superscript "-2".
struct RichRun
{
    QString text;
    QFont font;
    int x = 0;   // left edge
    int top = 0; // top of the text cell; a script moves its cell, not its baseline
};

struct RichCaptionLayout
{
    QList<RichRun> runs;
    QSize size;      // the label's own size
    int lineTop = 0; // where a normal segment's cell starts
};

// The height of a font in pixels, as the markup's rules count it.
int fontPixelHeight(const QFont &font);

// Scripts are drawn at 75 % of the font height; a superscript's cell is raised by r / 2 and a
// subscript's lowered by r, where r is half the height rounded to the nearest, halves to even.
int scriptPixelHeight(int fontHeight);
int superscriptRaise(int fontHeight);
int subscriptDrop(int fontHeight);

// The width is that of the drawn caption; the height twice the largest font height used, at
// least 5; the line starts a quarter of that height below the top, which leaves room for a
// raised script above and a lowered one below.
RichCaptionLayout layoutRichCaption(const QString &caption, const QFont &first, const QFont &second);

} // namespace ergotab
