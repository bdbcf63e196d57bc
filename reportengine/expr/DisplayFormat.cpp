#include "reportengine/expr/DisplayFormat.h"

#include "reportengine/expr/DelphiFormat.h"
#include "reportengine/expr/ValueConversion.h"

#include <algorithm>

namespace ergotab::report {

namespace {

QString numberPattern(int kind, int decimals)
{
    const int d = std::clamp(decimals, 0, 20);
    const QString whole = kind >= 2 ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (d == 0)
        return whole;
    return whole + QLatin1Char('.') + QString(d, kind == 1 || kind == 3 ? QLatin1Char('0') : QLatin1Char('#'));
}

QString datePattern(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("dd.mm.yy");
    case 1:
        return QStringLiteral("dd.mm.yyyy");
    case 2:
        return QStringLiteral("d.m.yyyy");
    default:
        return QStringLiteral("d. mmmm yyyy");
    }
}

QString timePattern(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("hh:nn:ss");
    case 1:
        return QStringLiteral("h:nn:ss");
    case 2:
        return QStringLiteral("hh:nn");
    default:
        return QStringLiteral("h:nn");
    }
}

QString booleanTexts(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("0;1");
    case 1:
        return QStringLiteral("Ne;Ano");
    case 2:
        return QStringLiteral("_;x");
    default:
        return QStringLiteral("Nepravda;Pravda");
    }
}

} // namespace

DisplayFormat DisplayFormat::fromEngineFormat(quint32 format, const QString &formatStr)
{
    DisplayFormat f;
    const int category = int((format >> 24) & 0x0F);
    f.kind = int((format >> 16) & 0xFF);
    f.decimals = int((format >> 8) & 0xFF);
    const int separator = int(format & 0xFF);
    if (separator != 0)
        f.decimalSeparator = QChar(separator);
    if (category > int(Category::Boolean))
        return DisplayFormat(); // an unknown category prints the value as it is
    f.category = Category(category);
    if (f.kind == Custom)
        f.pattern = formatStr;
    else if (f.kind > Custom)
        f.kind = 0;
    return f;
}

quint32 DisplayFormat::toEngineFormat() const
{
    return (quint32(category) << 24) | (quint32(kind & 0xFF) << 16) | (quint32(decimals & 0xFF) << 8) |
           quint32(decimalSeparator.unicode() & 0xFF);
}

DisplayFormat DisplayFormat::fromInline(const QString &spec)
{
    DisplayFormat f;
    const QString s = spec.trimmed();
    if (s.isEmpty())
        return f;
    const QChar first = s.at(0).toUpper();
    if (first.isDigit() || first == QLatin1Char('N')) {
        const QString rest = first.isDigit() ? s : s.mid(1);
        f.category = Category::Number;
        if (!rest.isEmpty() && rest.at(0).isDigit()) {
            // Fixed point: the last '.', ',' or '-' is the separator, the digits after it the places.
            f.kind = 1;
            const qsizetype sep = std::max({rest.lastIndexOf(QLatin1Char('.')), rest.lastIndexOf(QLatin1Char(',')),
                                            rest.lastIndexOf(QLatin1Char('-'))});
            if (sep >= 0) {
                f.decimalSeparator = rest.at(sep);
                f.decimals = std::clamp(rest.mid(sep + 1).toInt(), 0, 20);
            } else {
                f.decimals = 0;
            }
        } else {
            f.kind = Custom;
            f.pattern = rest;
        }
    } else if (first == QLatin1Char('D') || first == QLatin1Char('T')) {
        f.category = first == QLatin1Char('D') ? Category::Date : Category::Time;
        f.kind = Custom;
        f.pattern = s.mid(1);
    } else if (first == QLatin1Char('B')) {
        f.category = Category::Boolean;
        f.kind = Custom;
        f.pattern = s.mid(1);
    }
    return f;
}

QString formatValue(const QVariant &value, const DisplayFormat &format)
{
    using Category = DisplayFormat::Category;
    if (value::isNull(value))
        return QString();
    switch (format.category) {
    case Category::Text:
        break;
    case Category::Number: {
        const auto d = value::toNumber(value);
        if (!d || value::isDateLike(value))
            break;
        if (format.hideZeros && *d == 0.0)
            return QString();
        const QString pattern =
            format.kind == DisplayFormat::Custom ? format.pattern : numberPattern(format.kind, format.decimals);
        return delphi::formatFloat(pattern, *d, format.decimalSeparator);
    }
    case Category::Date:
    case Category::Time: {
        if (value::isNumber(value) && !value::isDateLike(value) && format.kind != DisplayFormat::Custom)
            break; // a plain number is no date unless the pattern says so
        const auto dt = value::toDateTime(value);
        if (!dt)
            break;
        QString pattern = format.pattern;
        if (format.kind != DisplayFormat::Custom)
            pattern = format.category == Category::Date ? datePattern(format.kind) : timePattern(format.kind);
        return delphi::formatDateTime(pattern, *dt);
    }
    case Category::Boolean: {
        const auto b = value::toCondition(value);
        if (!b)
            break;
        const QString texts = format.kind == DisplayFormat::Custom ? format.pattern : booleanTexts(format.kind);
        const qsizetype sep = texts.indexOf(QLatin1Char(';'));
        if (sep < 0)
            return *b ? texts : QString();
        return *b ? texts.mid(sep + 1) : texts.left(sep);
    }
    }
    if (format.hideZeros && value::isNumber(value) && value.toDouble() == 0.0)
        return QString();
    return value::toText(value);
}

} // namespace ergotab::report
