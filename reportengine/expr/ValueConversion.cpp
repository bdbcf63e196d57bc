#include "reportengine/expr/ValueConversion.h"

#include <QLocale>

#include <cmath>

namespace ergotab::report::value {

namespace {

const QDateTime &epoch()
{
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0));
    return e;
}

constexpr double msPerDay = 86400000.0;

std::optional<QDateTime> dateTimeFromText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    static const char *const dateForms[] = {"d.M.yyyy", "d.M.yy", "yyyy-MM-dd", "d. M. yyyy"};
    static const char *const timeForms[] = {"H:mm:ss", "H:mm", "H:mm:ss.zzz"};
    for (const char *d : dateForms) {
        const QString df = QLatin1String(d);
        QDate date = QDate::fromString(t, df);
        if (date.isValid()) {
            if (df.endsWith(QLatin1String(".yy")) && date.year() < 1950)
                date = date.addYears(100); // two-digit years: 50 … 99 are 19xx, 00 … 49 20xx
            return QDateTime(date, QTime(0, 0));
        }
        for (const char *tm : timeForms) {
            for (const QChar sep : {QLatin1Char(' '), QLatin1Char('T')}) {
                const QDateTime dt = QDateTime::fromString(t, df + sep + QLatin1String(tm));
                if (dt.isValid())
                    return dt;
            }
        }
    }
    for (const char *tm : timeForms) {
        const QTime time = QTime::fromString(t, QLatin1String(tm));
        if (time.isValid())
            return QDateTime(epoch().date(), time);
    }
    return std::nullopt;
}

} // namespace

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString;
}

bool isInteger(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isNumber(const QVariant &v)
{
    return isInteger(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

bool isDateLike(const QVariant &v)
{
    const int t = v.typeId();
    return t == QMetaType::QDate || t == QMetaType::QTime || t == QMetaType::QDateTime;
}

std::optional<double> numberFromText(QStringView text)
{
    QString t = text.trimmed().toString();
    if (t.isEmpty())
        return std::nullopt;
    // Only plain decimal notation: no "inf", "nan" or hexadecimal.
    for (const QChar c : t) {
        if (!(c.isDigit() && c.unicode() < 128) && !QStringLiteral("+-.,eE").contains(c))
            return std::nullopt;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<double> toNumber(const QVariant &v)
{
    if (isNull(v))
        return 0.0;
    if (isNumber(v))
        return v.toDouble();
    if (isText(v))
        return numberFromText(v.toString());
    if (isDateLike(v)) {
        if (const auto dt = toDateTime(v))
            return dateTimeToDays(*dt);
    }
    return std::nullopt;
}

std::optional<qint64> toInteger(const QVariant &v)
{
    if (isInteger(v))
        return v.toLongLong();
    const auto d = toNumber(v);
    if (!d || std::fabs(*d) > 9.0e18)
        return std::nullopt;
    return qint64(std::trunc(*d));
}

std::optional<QDateTime> toDateTime(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().isValid() ? std::optional(v.toDateTime()) : std::nullopt;
    case QMetaType::QDate:
        return v.toDate().isValid() ? std::optional(QDateTime(v.toDate(), QTime(0, 0))) : std::nullopt;
    case QMetaType::QTime:
        return v.toTime().isValid() ? std::optional(QDateTime(epoch().date(), v.toTime())) : std::nullopt;
    case QMetaType::QString:
        return dateTimeFromText(v.toString());
    default:
        break;
    }
    if (isNumber(v)) {
        const double d = v.toDouble();
        if (std::isfinite(d) && std::fabs(d) < 3.0e6) // within the years 1 … 9999
            return daysToDateTime(d);
    }
    return std::nullopt;
}

std::optional<bool> toCondition(const QVariant &v)
{
    if (isNull(v))
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isText(v)) {
        const QString t = v.toString().trimmed();
        if (t.isEmpty() || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
    }
    if (const auto d = toNumber(v))
        return *d != 0.0;
    return std::nullopt;
}

QString numberText(double d)
{
    if (d == 0.0)
        return QStringLiteral("0");
    QString s = QString::number(d, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    s.replace(QLatin1String("e+"), QLatin1String("E"));
    s.replace(QLatin1String("e-"), QLatin1String("E-"));
    return s;
}

QString toText(const QVariant &v)
{
    if (isNull(v))
        return QString();
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(v.toDouble());
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("d.M.yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("H:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("d.M.yyyy"));
        return dt.toString(QStringLiteral("d.M.yyyy H:mm:ss"));
    }
    default:
        break;
    }
    if (isInteger(v))
        return QString::number(v.toLongLong());
    return v.toString();
}

double dateTimeToDays(const QDateTime &dt)
{
    return double(epoch().msecsTo(dt)) / msPerDay;
}

QDateTime daysToDateTime(double days)
{
    return epoch().addMSecs(qint64(std::llround(days * msPerDay)));
}

QVariant integerOrDouble(double d)
{
    if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.0e15)
        return QVariant(qint64(d));
    return QVariant(d);
}

QString describe(const QVariant &v)
{
    if (isText(v))
        return QStringLiteral("„%1“").arg(v.toString());
    if (isNull(v))
        return QStringLiteral("prázdná hodnota");
    return toText(v);
}

} // namespace ergotab::report::value
