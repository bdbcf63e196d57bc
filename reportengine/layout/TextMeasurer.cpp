#include "reportengine/layout/TextMeasurer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

constexpr double mmPerPoint = 25.4 / 72.0;
constexpr double referenceDpi = 1200.0;

} // namespace

QStringList TextMeasurer::lines(const QString &text, const FontSpec &font, double widthMm, bool wrap)
{
    QStringList out;
    if (!text.contains(u'\n')) {
        if (wrap)
            wrapParagraph(text, font, widthMm, out);
        else
            out << text;
        return out;
    }
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
    // Most texts fit on their line: one measurement instead of one per word.
    if (advanceMm(paragraph, font) <= widthMm) {
        out << paragraph;
        return;
    }
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
    // Reports print the same short texts (categories, counts, names) over and over; shaping
    // them once is enough. Emptied when it grows large, so memory stays bounded.
    QHash<QString, double> advances;
};

FontTextMeasurer::Metrics &FontTextMeasurer::metrics(const FontSpec &spec)
{
    auto it = std::find_if(m_metrics.begin(), m_metrics.end(), [&](const auto &m) { return m.first == spec; });
    if (it == m_metrics.end()) {
        static QImage device = [] {
            QImage image(1, 1, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(referenceDpi / 0.0254));
            image.setDotsPerMeterY(qRound(referenceDpi / 0.0254));
            return image;
        }();
        QFont font = toQFont(spec);
        font.setHintingPreference(QFont::PreferNoHinting);
        // Measured as printed: without shaping (see PagePainter::deviceFont).
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
        m_metrics.emplace_back(spec, std::make_shared<Metrics>(font, &device));
        it = std::prev(m_metrics.end());
    }
    return *it->second;
}

double FontTextMeasurer::advanceMm(const QString &text, const FontSpec &font)
{
    constexpr qsizetype cachedLength = 64;
    constexpr qsizetype cacheLimit = 50000;
    Metrics &m = metrics(font);
    if (text.size() > cachedLength)
        return m.metrics.horizontalAdvance(text) * 25.4 / referenceDpi;
    if (const auto it = m.advances.constFind(text); it != m.advances.cend())
        return *it;
    if (m.advances.size() >= cacheLimit)
        m.advances.clear();
    const double advance = m.metrics.horizontalAdvance(text) * 25.4 / referenceDpi;
    m.advances.insert(text, advance);
    return advance;
}

double FontTextMeasurer::lineHeightMm(const FontSpec &font)
{
    return metrics(font).metrics.lineSpacing() * 25.4 / referenceDpi;
}

} // namespace ergotab::report
