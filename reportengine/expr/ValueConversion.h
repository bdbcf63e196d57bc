#pragma once

// How the expression engine turns values into one another, the way the earlier engine's
// variants did on a Czech system: numbers read with '.' or ',' as the decimal point and printed
// with ',', dates as d.M.yyyy, dates also as numbers of days since 30 Dec 1899 (so DATE + 1 is
// tomorrow). Empty fields (null values) read as 0, as the empty text and as false.

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

namespace ergotab::report::value {

bool isNull(const QVariant &v);
bool isText(const QVariant &v);
bool isInteger(const QVariant &v);  // whole-number types and bool
bool isNumber(const QVariant &v);   // whole-number types, bool and double
bool isDateLike(const QVariant &v); // QDate, QTime, QDateTime

// A number written as text ("12", " -1,5 ", "3.25", "1e3"); nothing for anything else.
std::optional<double> numberFromText(QStringView text);
// The value as a number; nothing when it has none (a text that is no number).
std::optional<double> toNumber(const QVariant &v);
// The value as a whole number, for MOD, COPY and the like (doubles are truncated).
std::optional<qint64> toInteger(const QVariant &v);
// A date, a time or both as a point in time (a bare time falls on 30 Dec 1899).
std::optional<QDateTime> toDateTime(const QVariant &v);
// Truth of a condition: numbers other than 0, true, the texts "True"/"False" and numbers.
std::optional<bool> toCondition(const QVariant &v);

// The value as text, the way the engine prints a value that has no display format.
QString toText(const QVariant &v);
// A double as the shortest text with at most 15 significant digits, ',' as decimal point.
QString numberText(double d);

// Days since 30 Dec 1899 and back (the earlier engine's numeric dates).
double dateTimeToDays(const QDateTime &dt);
QDateTime daysToDateTime(double days);

// Integer results stay integers while they fit; the rest become doubles.
QVariant integerOrDouble(double d);

// Short description of a value for error messages: „abc“ (text), 12 (number).
QString describe(const QVariant &v);

} // namespace ergotab::report::value
