#pragma once

// How long a text is and where it wraps, in millimetres. The layout asks only this, so golden
// tests use fixed character widths (independent of installed fonts) and real runs the fonts.

#include "reportengine/model/QtConversions.h"
#include "reportengine/model/TemplateObjects.h"

#include <QFont>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace ergotab::report {

class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;

    virtual double advanceMm(const QString &text, const FontSpec &font) = 0;
    virtual double lineHeightMm(const FontSpec &font) = 0;

    // The lines of `text` within `widthMm`: broken at '\n', and with `wrap` also between words
    // (a word longer than the width is broken where it reaches the edge).
    QStringList lines(const QString &text, const FontSpec &font, double widthMm, bool wrap);

private:
    void wrapParagraph(const QString &paragraph, const FontSpec &font, double widthMm, QStringList &out);
};

// Every character as wide as half the font size, lines 1.2 × the font size: predictable
// layouts for tests.
class FixedTextMeasurer : public TextMeasurer
{
public:
    double advanceMm(const QString &text, const FontSpec &font) override;
    double lineHeightMm(const FontSpec &font) override;
};

// The fonts' own metrics at a fixed 1200 dpi, the same for every output device.
class FontTextMeasurer : public TextMeasurer
{
public:
    double advanceMm(const QString &text, const FontSpec &font) override;
    double lineHeightMm(const FontSpec &font) override;

private:
    struct Metrics;
    Metrics &metrics(const FontSpec &font);
    // Reports use a handful of fonts: a short list compared field by field beats building a key.
    std::vector<std::pair<FontSpec, std::shared_ptr<Metrics>>> m_metrics;
};

} // namespace ergotab::report
