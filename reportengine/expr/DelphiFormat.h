#pragma once

// The formatting functions of Delphi that templates of the earlier engine use, with Czech
// conventions: FormatFloat and FormatDateTime patterns, and FormatMaskText edit masks.

#include <QDateTime>
#include <QString>

namespace ergotab::report::delphi {

// The thousands separator of Czech number formats: a space that does not break the number.
inline constexpr QChar czechThousandsSeparator {0x00A0};

// FormatFloat: `0` digit, `#` optional digit, `.` decimal point, `,` thousands grouping,
// `E+`/`E-` exponent, `'…'`/`"…"` literal text, `;` sections for positive;negative;zero.
// `decimalSeparator` is printed for `.`. An empty pattern prints the plain number.
QString formatFloat(const QString &pattern, double value, QChar decimalSeparator = QLatin1Char(','),
                    QChar thousandsSeparator = czechThousandsSeparator);

// FormatDateTime: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes after h), yy yyyy, h hh,
// n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, `/` and `:` separators, quoted literals.
// Month and day names are Czech; a long month name next to a day is in the genitive ("1. ledna").
QString formatDateTime(const QString &pattern, const QDateTime &value);

// FormatMaskText: edit mask characters 0 9 # L l A a C c, `\` literal next, `>` `<` case,
// optional ";0" (value holds no literals) or ";1" and a blank character after a second ';'.
QString formatMaskText(const QString &mask, const QString &value);

} // namespace ergotab::report::delphi
