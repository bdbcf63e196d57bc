#include "TextFit.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

#include <cmath>

namespace ergotab::report::designer {

namespace {

constexpr double unitsPerMm = 100.0; // measured in hundredths of a millimetre, as the page painter draws

// A device whose pixel is one unit, so a font's point size gives its size on paper.
const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMetre = int(1000.0 * unitsPerMm);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QFont measuringFont(QFont font)
{
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

// One paragraph broken at word boundaries into lines no wider than `width`.
QStringList wrapped(const QString &paragraph, const QFont &font, double width)
{
    if (paragraph.isEmpty())
        return {QString()};
    QStringList lines;
    QTextLayout layout(paragraph, font, &measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

} // namespace

TextItem fittedToRect(TextItem item)
{
    if (item.text.isEmpty())
        return item;
    const QFont font = measuringFont(item.font);
    const QFontMetricsF metrics(font, &measuringDevice());
    const bool upright = item.rotation == 90;
    const double width = (upright ? item.rect.height() : item.rect.width()) * unitsPerMm;
    const double height = (upright ? item.rect.width() : item.rect.height()) * unitsPerMm;

    QStringList lines;
    for (const QString &paragraph : item.text.split(u'\n'))
        lines << (item.wordWrap ? wrapped(paragraph, font, width) : QStringList {paragraph});
    const int fitting = std::max(1, int(std::floor(height / metrics.height() + 1e-6)));
    if (lines.size() > fitting) {
        // The last line shown ends in an ellipsis: it says that more follows.
        const QString rest = QStringList(lines.mid(fitting - 1)).join(u' ');
        lines = lines.mid(0, fitting);
        QString last = metrics.elidedText(rest, Qt::ElideRight, width);
        if (last == rest)
            last = metrics.elidedText(rest + u'…', Qt::ElideRight, width);
        lines.back() = last;
    }
    for (QString &line : lines)
        if (metrics.horizontalAdvance(line) > width)
            line = metrics.elidedText(line, Qt::ElideRight, width);
    item.text = lines.join(u'\n');
    item.wordWrap = false;
    return item;
}

} // namespace ergotab::report::designer
