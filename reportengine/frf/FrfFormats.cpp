#include "reportengine/frf/FrfFormats.h"

#include "reportengine/expr/DisplayFormat.h"

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// A FormatFloat pattern as an inline number format: "N" then the pattern, with a leading '#'
// where the pattern starts with a digit (that would read as the fixed-point form "N2,2").
QString numberPattern(const QString &pattern)
{
    if (!pattern.isEmpty() && pattern.at(0).isDigit())
        return u"N#"_s + pattern;
    return u"N"_s + pattern;
}

} // namespace

QString inlineFormat(quint32 format, const QString &formatStr)
{
    const DisplayFormat f = DisplayFormat::fromEngineFormat(format, formatStr);
    const QString places(std::clamp(f.decimals, 0, 20), u'0');
    const QString optional(std::clamp(f.decimals, 0, 20), u'#');
    switch (f.category) {
    case DisplayFormat::Category::Text:
        return {};
    case DisplayFormat::Category::Number:
        switch (f.kind) {
        case 0:
            return numberPattern(optional.isEmpty() ? u"#0"_s : u"#0."_s + optional);
        case 1:
            // The fixed-point form carries the decimal separator itself.
            return u"N0"_s + f.decimalSeparator + QString::number(f.decimals);
        case 2:
            return numberPattern(optional.isEmpty() ? u"#,##0"_s : u"#,##0."_s + optional);
        case 3:
            return numberPattern(places.isEmpty() ? u"#,##0"_s : u"#,##0."_s + places);
        default:
            return f.pattern.isEmpty() ? QString() : numberPattern(f.pattern);
        }
    case DisplayFormat::Category::Date: {
        static const char *const dates[] = {"dd.mm.yy", "dd.mm.yyyy", "d.m.yyyy", "d. mmmm yyyy"};
        if (f.kind < 4)
            return u"D"_s + QLatin1StringView(dates[f.kind]);
        return f.pattern.isEmpty() ? QString() : u"D"_s + f.pattern;
    }
    case DisplayFormat::Category::Time: {
        static const char *const times[] = {"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"};
        if (f.kind < 4)
            return u"T"_s + QLatin1StringView(times[f.kind]);
        return f.pattern.isEmpty() ? QString() : u"T"_s + f.pattern;
    }
    case DisplayFormat::Category::Boolean: {
        static const char *const texts[] = {"0;1", "Ne;Ano", "_;x", "Nepravda;Pravda"};
        if (f.kind < 4)
            return u"B"_s + QLatin1StringView(texts[f.kind]);
        return f.pattern.isEmpty() ? QString() : u"B"_s + f.pattern;
    }
    }
    return {};
}

} // namespace ergotab::report::frf
