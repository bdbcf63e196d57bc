// Delphi's FormatFloat: digit placeholders, grouping, sections and exponents of a pattern.
#include "reportengine/expr/DelphiFormat.h"

#include "reportengine/expr/ValueConversion.h"

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

} // namespace ergotab::report::delphi
