#include "reportengine/expr/DelphiFormat.h"

#include "reportengine/expr/ValueConversion.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace ergotab::report::delphi {

namespace {

constexpr int maxDecimals = 20;

// The decimal digits of |value| rounded half up to `decimals` places, from 15 significant digits
// (so 2.675 rounds to 2.68 as a reader expects, not to what its binary neighbour would give).
struct Digits
{
    QString whole;    // no leading zeros; empty for 0
    QString fraction; // exactly `decimals` digits
};

Digits roundedDigits(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±xx
    const int ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(1) + e.mid(2, ePos - 2);
    int point = e.mid(ePos + 1).toInt() + 1; // digits before the decimal point
    if (value == 0.0) {
        digits = QStringLiteral("0");
        point = 1;
    }
    // Place the digits around the point, then round at `decimals`.
    if (point <= 0) {
        digits = QString(-point, QLatin1Char('0')) + digits;
        point = 0;
    }
    if (digits.size() < point + decimals + 1)
        digits += QString(point + decimals + 1 - digits.size(), QLatin1Char('0'));
    const bool up = digits.at(point + decimals) >= QLatin1Char('5');
    digits.truncate(point + decimals);
    if (up) {
        int i = int(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++point;
        }
    }
    Digits d;
    d.whole = digits.left(point);
    d.fraction = digits.mid(point);
    while (d.whole.startsWith(QLatin1Char('0')))
        d.whole.remove(0, 1);
    return d;
}

// Splits at `;` outside quotes.
QStringList sections(const QString &pattern)
{
    QStringList out;
    QString current;
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out.append(current);
            current.clear();
            continue;
        }
        current.append(c);
    }
    out.append(current);
    return out;
}

struct Token
{
    enum Kind { Digit, Zero, Literal } kind;
    QString text;
};

struct Section
{
    QList<Token> whole;    // before the decimal point
    QList<Token> fraction; // after it, up to the exponent
    QList<Token> trailer;  // after the exponent
    bool grouping = false;
    bool exponent = false;
    bool exponentSign = false; // E+ (always a sign) rather than E-
    QString exponentLetter;
    int exponentDigits = 0;

    int wholePlaceholders() const
    {
        return int(std::count_if(whole.begin(), whole.end(), [](const Token &t) { return t.kind != Token::Literal; }));
    }
    int maxDecimals() const
    {
        return int(
            std::count_if(fraction.begin(), fraction.end(), [](const Token &t) { return t.kind != Token::Literal; }));
    }
    int minDecimals() const
    {
        int n = 0, lastZero = 0;
        for (const Token &t : fraction) {
            if (t.kind == Token::Literal)
                continue;
            ++n;
            if (t.kind == Token::Zero)
                lastZero = n;
        }
        return lastZero;
    }
    int minWholeDigits() const
    {
        int n = 0;
        bool zeroSeen = false;
        for (const Token &t : whole) {
            if (t.kind == Token::Zero)
                zeroSeen = true;
            if (zeroSeen && t.kind != Token::Literal)
                ++n;
        }
        return n;
    }
};

Section parseSection(const QString &s)
{
    Section sec;
    QList<Token> *part = &sec.whole;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int close = s.indexOf(c, i + 1);
            const int stop = close < 0 ? int(s.size()) : close;
            part->append({Token::Literal, s.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == QLatin1Char('0')) {
            part->append({Token::Zero, QString()});
        } else if (c == QLatin1Char('#')) {
            part->append({Token::Digit, QString()});
        } else if (c == QLatin1Char('.') && part == &sec.whole) {
            part = &sec.fraction;
        } else if (c == QLatin1Char(',') && part == &sec.whole) {
            sec.grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !sec.exponent && i + 1 < s.size() &&
                   (s.at(i + 1) == QLatin1Char('+') || s.at(i + 1) == QLatin1Char('-'))) {
            sec.exponent = true;
            sec.exponentLetter = c;
            sec.exponentSign = s.at(i + 1) == QLatin1Char('+');
            i += 2;
            while (i < s.size() && s.at(i) == QLatin1Char('0')) {
                ++sec.exponentDigits;
                ++i;
            }
            --i;
            part = &sec.trailer;
        } else {
            part->append({Token::Literal, QString(c)});
        }
    }
    return sec;
}

QString formatSection(const Section &sec, double value, QChar decimalSeparator, QChar thousandsSeparator)
{
    int exponent = 0;
    double v = std::fabs(value);
    if (sec.exponent && v != 0.0) {
        const int wholeDigits = std::max(1, sec.wholePlaceholders());
        exponent = int(std::floor(std::log10(v))) - (wholeDigits - 1);
        v /= std::pow(10.0, exponent);
        if (!std::isfinite(v) || v == 0.0) { // a pattern with hundreds of whole digits
            v = std::fabs(value);
            exponent = 0;
        }
        // Rounding may carry into one more digit (9.996 → 10.00).
        if (roundedDigits(v, sec.maxDecimals()).whole.size() > wholeDigits) {
            ++exponent;
            v /= 10.0;
        }
    }
    const Digits digits = roundedDigits(v, std::min(sec.maxDecimals(), maxDecimals));
    QString whole = digits.whole;
    if (whole.size() < sec.minWholeDigits())
        whole.prepend(QString(sec.minWholeDigits() - whole.size(), QLatin1Char('0')));
    QString fraction = digits.fraction;
    while (fraction.size() > sec.minDecimals() && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    // The whole part, built from the right: each placeholder takes a digit, the leftmost one
    // takes all that remain; literals stay where they stand among the placeholders.
    QString out;
    int remaining = int(whole.size());
    int placed = 0;
    int placeholders = sec.wholePlaceholders();
    for (int i = int(sec.whole.size()) - 1; i >= 0; --i) {
        const Token &t = sec.whole.at(i);
        if (t.kind == Token::Literal) {
            out.prepend(t.text);
            continue;
        }
        --placeholders;
        int take = placeholders == 0 ? remaining : std::min(remaining, 1);
        for (; take > 0; --take, --remaining) {
            if (sec.grouping && placed > 0 && placed % 3 == 0)
                out.prepend(thousandsSeparator);
            out.prepend(whole.at(remaining - 1));
            ++placed;
        }
    }
    if (sec.wholePlaceholders() == 0 && !whole.isEmpty())
        out.append(whole); // a pattern such as ".00" still prints the whole part
    if (!fraction.isEmpty())
        out.append(decimalSeparator);
    int next = 0;
    for (const Token &t : sec.fraction) {
        if (t.kind == Token::Literal)
            out.append(t.text);
        else if (next < fraction.size())
            out.append(fraction.at(next++));
    }
    if (sec.exponent) {
        out.append(sec.exponentLetter);
        if (exponent < 0)
            out.append(QLatin1Char('-'));
        else if (sec.exponentSign)
            out.append(QLatin1Char('+'));
        QString e = QString::number(std::abs(exponent));
        if (e.size() < sec.exponentDigits)
            e.prepend(QString(sec.exponentDigits - e.size(), QLatin1Char('0')));
        out.append(e);
    }
    for (const Token &t : sec.trailer)
        out.append(t.text);
    return out;
}

bool roundsToZero(const Section &sec, double value)
{
    const Digits d = roundedDigits(value, std::min(sec.maxDecimals(), maxDecimals));
    return d.whole.isEmpty() &&
           std::all_of(d.fraction.begin(), d.fraction.end(), [](QChar c) { return c == QLatin1Char('0'); });
}

const QLocale &czech()
{
    static const QLocale locale(QLocale::Czech, QLocale::CzechRepublic);
    return locale;
}

} // namespace

QString formatFloat(const QString &pattern, double value, QChar decimalSeparator, QChar thousandsSeparator)
{
    if (!std::isfinite(value))
        return QString();
    if (pattern.isEmpty()) {
        QString s = value::numberText(value);
        return s.replace(QLatin1Char(','), decimalSeparator);
    }
    const QStringList parts = sections(pattern);
    const Section positive = parseSection(parts.at(0));
    if (value < 0 && parts.size() > 1 && !parts.at(1).isEmpty()) {
        const Section negative = parseSection(parts.at(1));
        if (!(roundsToZero(negative, value) && parts.size() > 2 && !parts.at(2).isEmpty()))
            return formatSection(negative, value, decimalSeparator, thousandsSeparator);
    }
    if (parts.size() > 2 && !parts.at(2).isEmpty() && roundsToZero(positive, value))
        return formatSection(parseSection(parts.at(2)), 0.0, decimalSeparator, thousandsSeparator);
    const QString text = formatSection(positive, value, decimalSeparator, thousandsSeparator);
    if (value < 0 && !roundsToZero(positive, value))
        return QLatin1Char('-') + text;
    return text;
}

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

QString formatMaskText(const QString &mask, const QString &value)
{
    // Mask fields: the mask itself, then whether the value holds the literals, then the blank.
    QString body = mask;
    bool valueHasLiterals = true;
    QChar blank = QLatin1Char('_');
    const auto fieldStart = [&](const QString &m) {
        for (int i = int(m.size()) - 1; i >= 0; --i) {
            if (m.at(i) == QLatin1Char(';') && (i == 0 || m.at(i - 1) != QLatin1Char('\\')))
                return i;
        }
        return -1;
    };
    if (int sep = fieldStart(body); sep >= 0 && sep >= int(body.size()) - 2) {
        QString last = body.mid(sep + 1);
        body.truncate(sep);
        if (int sep2 = fieldStart(body); sep2 >= 0 && sep2 == int(body.size()) - 2) {
            valueHasLiterals = body.at(sep2 + 1) != QLatin1Char('0');
            body.truncate(sep2);
            if (!last.isEmpty())
                blank = last.at(0);
        } else {
            valueHasLiterals = last != QLatin1String("0");
        }
    }
    static const QString placeholders = QStringLiteral("LlAaCc09#");
    QString out;
    int next = 0;
    enum { Keep, Upper, Lower } caseMode = Keep;
    for (int i = 0; i < body.size(); ++i) {
        const QChar m = body.at(i);
        if (m == QLatin1Char('!'))
            continue;
        if (m == QLatin1Char('<') && i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
            caseMode = Keep;
            ++i;
            continue;
        }
        if (m == QLatin1Char('>') || m == QLatin1Char('<')) {
            caseMode = m == QLatin1Char('>') ? Upper : Lower;
            continue;
        }
        QChar literal;
        if (m == QLatin1Char('\\') && i + 1 < body.size())
            literal = body.at(++i);
        else if (!placeholders.contains(m))
            literal = m == QLatin1Char('/') ? QLatin1Char('.') : m;
        if (!literal.isNull()) {
            out += literal;
            if (valueHasLiterals)
                ++next;
            continue;
        }
        QChar c = next < value.size() ? value.at(next) : blank;
        ++next;
        if (caseMode == Upper)
            c = c.toUpper();
        else if (caseMode == Lower)
            c = c.toLower();
        out += c;
    }
    return out;
}

} // namespace ergotab::report::delphi
