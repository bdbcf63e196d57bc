#include "ReportFunctions.h"

#include "ReportData.h"

#include "storage/AppError.h"

#include <cmath>
#include <limits>

namespace ergotab::reports {

namespace {

QString shown(const QVariant &value)
{
    return value.toString();
}

// The value as a whole number the way a report reads one: empty is 0, numbers are rounded,
// text must hold a number.
int toInteger(const QVariant &value, const QString &function)
{
    if (value.isNull())
        return 0;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return 0;
        bool ok = false;
        number = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok)
            throw AppError(QStringLiteral("Funkce %1: „%2“ není číslo.").arg(function, text));
        break;
    }
    default: {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok)
            throw AppError(QStringLiteral("Funkce %1: „%2“ není číslo.").arg(function, shown(value)));
    }
    }
    number = std::round(number);
    if (!std::isfinite(number) || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw AppError(QStringLiteral("Funkce %1: číslo %2 je mimo rozsah.").arg(function, shown(value)));
    return int(number);
}

// The value as the text of its digits: whole numbers without a decimal part, text as it is.
QString toText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::trunc(number) && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number);
    }
    default:
        return value.toString();
    }
}

} // namespace

ReportFunctions::ReportFunctions(ReportData &data)
    : m_data(data)
{
}

bool ReportFunctions::call(const QString &name, const QStringList &arguments, const report::ArgumentEvaluator &evaluate,
                           QVariant &result) const
{
    const QString function = name.trimmed().toUpper();
    const bool path = function == QLatin1String("R_PATH");
    const bool category = function == QLatin1String("R_KATEGORIE");
    const bool digits = function == QLatin1String("R_MAXKATEGORIE");
    if (!path && !category && !digits)
        return false;
    const QVariant argument = arguments.isEmpty() ? QVariant() : evaluate(arguments.first());
    if (path)
        result = m_data.paths().path(toInteger(argument, function));
    else if (category)
        result = highestCategory(toInteger(argument, function));
    else
        result = highestDigit(toText(argument));
    return true;
}

QStringList ReportFunctions::names()
{
    return {QStringLiteral("R_PATH"), QStringLiteral("R_KATEGORIE"), QStringLiteral("R_MAXKATEGORIE")};
}

int ReportFunctions::highestCategory(int mask)
{
    int result = 0;
    for (int k = 1; k <= 4; ++k) {
        if (mask % 2 != 0)
            result = k;
        mask /= 2;
    }
    return result;
}

int ReportFunctions::highestDigit(const QString &digits)
{
    int highest = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw AppError(
                QStringLiteral("Funkce R_MAXKATEGORIE: znak „%1“ v textu „%2“ není číslice.").arg(c).arg(digits));
        highest = std::max(highest, c.unicode() - '0');
    }
    return highest;
}

} // namespace ergotab::reports
