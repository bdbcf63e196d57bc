// Delphi's FormatDateTime with Czech month and day names.
#include "reportengine/expr/DelphiFormat.h"

#include <QLocale>

#include <algorithm>

namespace ergotab::report::delphi {

namespace {

const QLocale &czech()
{
    static const QLocale locale(QLocale::Czech, QLocale::CzechRepublic);
    return locale;
}

} // namespace

QString formatDateTime(const QString &pattern, const QDateTime &value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    const QString lower = pattern.toLower();
    // A long month name next to a day number is in the genitive: "1. ledna", but "leden 2024".
    bool hasDay = false;
    for (int i = 0; i < lower.size();) {
        int run = 1;
        while (i + run < lower.size() && lower.at(i + run) == lower.at(i))
            ++run;
        if (lower.at(i) == QLatin1Char('d') && run <= 2)
            hasDay = true;
        i += run;
    }
    const bool twelveHours = lower.contains(QLatin1String("am/pm")) || lower.contains(QLatin1String("a/p")) ||
                             lower.contains(QLatin1String("ampm"));
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    const int hour = twelveHours ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();

    QString out;
    bool afterHour = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = lower.at(i);
        int run = 1;
        while (i + run < pattern.size() && lower.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int close = pattern.indexOf(pattern.at(i), i + 1);
            const int stop = close < 0 ? int(pattern.size()) : close;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        bool hourToken = false;
        if (c == QLatin1Char('d')) {
            run = std::min(run, 6);
            if (run == 1)
                out += QString::number(date.day());
            else if (run == 2)
                out += two(date.day());
            else if (run == 3)
                out += czech().dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else if (run == 4)
                out += czech().dayName(date.dayOfWeek(), QLocale::LongFormat);
            else if (run == 5)
                out += date.toString(QStringLiteral("d.M.yyyy"));
            else
                out += QString::number(date.day()) + QStringLiteral(". ") + czech().monthName(date.month()) +
                       QLatin1Char(' ') + QString::number(date.year());
        } else if (c == QLatin1Char('m')) {
            run = std::min(run, 4);
            if (afterHour && run <= 2)
                out += run == 1 ? QString::number(time.minute()) : two(time.minute());
            else if (run == 1)
                out += QString::number(date.month());
            else if (run == 2)
                out += two(date.month());
            else if (run == 3)
                out += czech().standaloneMonthName(date.month(), QLocale::ShortFormat);
            else
                out += hasDay ? czech().monthName(date.month()) : czech().standaloneMonthName(date.month());
        } else if (c == QLatin1Char('y')) {
            out += run <= 2 ? two(date.year() % 100) : QString::number(date.year());
        } else if (c == QLatin1Char('h')) {
            run = std::min(run, 2);
            out += run == 1 ? QString::number(hour) : two(hour);
            hourToken = true;
        } else if (c == QLatin1Char('n')) {
            run = std::min(run, 2);
            out += run == 1 ? QString::number(time.minute()) : two(time.minute());
        } else if (c == QLatin1Char('s')) {
            run = std::min(run, 2);
            out += run == 1 ? QString::number(time.second()) : two(time.second());
        } else if (c == QLatin1Char('z')) {
            out += run >= 3 ? QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'))
                            : QString::number(time.msec());
        } else if (c == QLatin1Char('t')) {
            run = std::min(run, 2);
            out += time.toString(run == 1 ? QStringLiteral("H:mm") : QStringLiteral("H:mm:ss"));
        } else if (c == QLatin1Char('c')) {
            run = 1;
            out += date.toString(QStringLiteral("d.M.yyyy"));
            if (time != QTime(0, 0))
                out += time.toString(QStringLiteral(" H:mm:ss"));
        } else if (c == QLatin1Char('a') && lower.mid(i, 5) == QLatin1String("am/pm")) {
            const QString text = time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
            out += pattern.at(i).isUpper() ? text.toUpper() : text;
            run = 5;
        } else if (c == QLatin1Char('a') && lower.mid(i, 3) == QLatin1String("a/p")) {
            const QString text = time.hour() < 12 ? QStringLiteral("a") : QStringLiteral("p");
            out += pattern.at(i).isUpper() ? text.toUpper() : text;
            run = 3;
        } else if (c == QLatin1Char('a') && lower.mid(i, 4) == QLatin1String("ampm")) {
            out += time.hour() < 12 ? QStringLiteral("dop.") : QStringLiteral("odp.");
            run = 4;
        } else if (c == QLatin1Char('/')) {
            run = 1;
            out += QLatin1Char('.');
        } else {
            run = 1;
            out += pattern.at(i);
            i += run;
            continue; // a literal does not end "minutes after an hour"
        }
        afterHour = hourToken;
        i += run;
    }
    return out;
}

} // namespace ergotab::report::delphi
