#include "RichCaption.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace ergotab {

int fontPixelHeight(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

static int halfRoundedToEven(int h)
{
    const int half = h / 2;
    return (h % 2 != 0 && half % 2 != 0) ? half + 1 : half;
}

int scriptPixelHeight(int fontHeight)
{
    return fontHeight * 3 / 4;
}

int superscriptRaise(int fontHeight)
{
    return halfRoundedToEven(fontHeight) / 2;
}

int subscriptDrop(int fontHeight)
{
    return halfRoundedToEven(fontHeight);
}

namespace {

enum class Shift { None, Up, Down };

struct Segment
{
    QString text;
    QFont font;
    Shift shift;
};

QList<Segment> segmentsOf(const QString &caption, const QFont &first, const QFont &second)
{
    const QStringList parts = caption.split(QLatin1Char('~'));
    QList<Segment> segments;
    QFont current = first;
    segments.append({parts.first(), current, Shift::None});
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (part.isEmpty())
            continue; // a "~" with nothing after it
        const QChar code = part.front();
        const QString text = part.mid(1);
        Shift shift = Shift::None;
        if (code == QLatin1Char('1'))
            current = first;
        else if (code == QLatin1Char('2'))
            current = second;
        else if (code == QLatin1Char('S'))
            shift = Shift::Up;
        else if (code == QLatin1Char('s'))
            shift = Shift::Down;
        segments.append({text, current, shift});
    }
    return segments;
}

} // namespace

RichCaptionLayout layoutRichCaption(const QString &caption, const QFont &first, const QFont &second)
{
    const QList<Segment> segments = segmentsOf(caption, first, second);

    int largest = 0;
    for (const Segment &s : segments)
        if (!s.text.isEmpty() || &s == &segments.first())
            largest = std::max(largest, fontPixelHeight(s.font));

    RichCaptionLayout layout;
    const int height = std::max(5, 2 * largest);
    layout.lineTop = height / 4;

    int x = 0;
    for (const Segment &s : segments) {
        if (s.text.isEmpty())
            continue;
        RichRun run {s.text, s.font, x, layout.lineTop};
        const int h = fontPixelHeight(s.font);
        if (s.shift != Shift::None) {
            run.font.setPixelSize(scriptPixelHeight(h));
            run.top += s.shift == Shift::Up ? -superscriptRaise(h) : subscriptDrop(h);
        }
        x += QFontMetrics(run.font).horizontalAdvance(run.text);
        layout.runs.append(run);
    }
    layout.size = QSize(x, height);
    return layout;
}

} // namespace ergotab
