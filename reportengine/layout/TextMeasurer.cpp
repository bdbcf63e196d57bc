#include "reportengine/layout/TextMeasurer.h"

#include <QFontMetricsF>
#include <QImage>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

constexpr double mmPerPoint = 25.4 / 72.0;
constexpr double referenceDpi = 1200.0;

} // namespace

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

QStringList TextMeasurer::lines(const QString &text, const FontSpec &font, double widthMm, bool wrap)
{
    QStringList out;
    for (const QString &paragraph : text.split(u'\n')) {
        if (wrap)
            wrapParagraph(paragraph, font, widthMm, out);
        else
            out << paragraph;
    }
    return out;
}

void TextMeasurer::wrapParagraph(const QString &paragraph, const FontSpec &font, double widthMm, QStringList &out)
{
    QString current;
    bool started = false;
    for (QString word : paragraph.split(u' ')) {
        const QString candidate = started ? current + u' ' + word : word;
        if (advanceMm(candidate, font) <= widthMm) {
            current = candidate;
            started = true;
            continue;
        }
        if (!current.isEmpty())
            out << current;
        // A word wider than the line is broken where it reaches the edge; each piece holds at
        // least one character, so this ends.
        while (word.size() > 1 && advanceMm(word, font) > widthMm) {
            qsizetype n = 1;
            while (n < word.size() && advanceMm(word.left(n + 1), font) <= widthMm)
                ++n;
            out << word.left(n);
            word = word.mid(n);
        }
        current = word;
        started = true;
    }
    out << current;
}

double FixedTextMeasurer::advanceMm(const QString &text, const FontSpec &font)
{
    return static_cast<double>(text.size()) * font.sizePt * 0.5 * mmPerPoint;
}

double FixedTextMeasurer::lineHeightMm(const FontSpec &font)
{
    return font.sizePt * 1.2 * mmPerPoint;
}

struct FontTextMeasurer::Metrics
{
    explicit Metrics(const QFont &font, const QPaintDevice *device)
        : metrics(font, device)
    {
    }
    QFontMetricsF metrics;
};

FontTextMeasurer::Metrics &FontTextMeasurer::metrics(const FontSpec &spec)
{
    const QString key = spec.family + u'|' + QString::number(spec.sizePt) + u'|' +
                        QString::number(spec.bold + 2 * spec.italic + 4 * spec.underline + 8 * spec.strikeOut);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end()) {
        static QImage device = [] {
            QImage image(1, 1, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(referenceDpi / 0.0254));
            image.setDotsPerMeterY(qRound(referenceDpi / 0.0254));
            return image;
        }();
        QFont font = toQFont(spec);
        font.setHintingPreference(QFont::PreferNoHinting);
        it = m_metrics.emplace(key, std::make_shared<Metrics>(font, &device)).first;
    }
    return *it->second;
}

double FontTextMeasurer::advanceMm(const QString &text, const FontSpec &font)
{
    return metrics(font).metrics.horizontalAdvance(text) * 25.4 / referenceDpi;
}

double FontTextMeasurer::lineHeightMm(const FontSpec &font)
{
    return metrics(font).metrics.lineSpacing() * 25.4 / referenceDpi;
}

} // namespace ergotab::report
