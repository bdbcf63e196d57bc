#include "QtConversions.h"

namespace ergotab::report {

QFont toQFont(const FontSpec &spec)
{
    QFont font(spec.family);
    font.setPointSizeF(spec.sizePt);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    return font;
}

Qt::Alignment toQtAlignment(const TextObject &text)
{
    Qt::Alignment a;
    switch (text.hAlign) {
    case HAlign::Left:
        a = Qt::AlignLeft;
        break;
    case HAlign::Right:
        a = Qt::AlignRight;
        break;
    case HAlign::Center:
        a = Qt::AlignHCenter;
        break;
    case HAlign::Justify:
        a = Qt::AlignJustify;
        break;
    }
    switch (text.vAlign) {
    case VAlign::Top:
        return a | Qt::AlignTop;
    case VAlign::Center:
        return a | Qt::AlignVCenter;
    case VAlign::Bottom:
        return a | Qt::AlignBottom;
    }
    return a;
}

} // namespace ergotab::report
