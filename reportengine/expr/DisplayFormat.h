#pragma once

// How a text object prints the values of its [ … ] parts: as they are, or as numbers, dates,
// times or booleans in a chosen form. Read from the earlier engine's Format integer and
// FormatStr, or from an inline format written in the text: `[Value #N##0.00]`.

#include <QChar>
#include <QString>
#include <QVariant>

namespace ergotab::report {

struct DisplayFormat
{
    enum class Category { Text, Number, Date, Time, Boolean };

    // Kinds within a category; Custom takes `pattern`. Numbers: 0 up to `decimals` places,
    // 1 exactly `decimals` places, 2 and 3 the same with thousands grouped. Dates: 0 dd.mm.yy,
    // 1 dd.mm.yyyy, 2 d.m.yyyy, 3 d. mmmm yyyy. Times: 0 hh:nn:ss, 1 h:nn:ss, 2 hh:nn, 3 h:nn.
    // Booleans: 0 "0;1", 1 "Ne;Ano", 2 "_;x", 3 "Nepravda;Pravda".
    static constexpr int Custom = 4;

    Category category = Category::Text;
    int kind = 0;
    int decimals = 2;
    QChar decimalSeparator = QLatin1Char(',');
    // Custom kinds: a Delphi FormatFloat or FormatDateTime pattern, or "false-text;true-text".
    QString pattern;
    // A number that is zero prints as nothing (the text object's "hide zeros" option).
    bool hideZeros = false;

    // The earlier engine's Format integer: category in bits 24–27, kind 16–23, decimals 8–15,
    // the decimal separator's character code in 0–7. `formatStr` is the custom pattern.
    static DisplayFormat fromEngineFormat(quint32 format, const QString &formatStr = QString());
    quint32 toEngineFormat() const;

    // An inline format, the text after " #" in a [ … ] part: N (or a digit) number, D or T date
    // and time, B boolean. "N2,2" is two fixed decimals with ','; "N#,##0.00" a pattern.
    static DisplayFormat fromInline(const QString &spec);

    bool operator==(const DisplayFormat &) const = default;
};

// The value printed in the format. Values the format does not fit (a text under a number
// format that holds no number) print as they are; null values print as nothing.
QString formatValue(const QVariant &value, const DisplayFormat &format);

} // namespace ergotab::report
