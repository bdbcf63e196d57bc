// Parser of the earlier engine's expression language. Priorities, from loosest: comparisons
// (= <> < > <= >=), then + and -, then * / AND OR MOD together; unary - + NOT bind to the
// value that follows. So `a = 1 and b = 2` reads as `a = (1 and b) = 2`, as it did there.
// Function arguments are split at the commas of the argument list first and each argument is
// parsed on its own, so `1,5` is a number everywhere except as two arguments of a call.

#include "reportengine/expr/ExpressionCalls.h"

namespace ergotab::report::detail {

namespace {

constexpr int maxDepth = 200;

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('.');
}

bool isSpace(QChar c)
{
    return c.isSpace();
}

// The end of the quoted text starting at `from` (the index after its closing quote), or -1.
int skipQuoted(const QString &t, int from, int end)
{
    const QChar quote = t.at(from);
    for (int i = from + 1; i < end; ++i) {
        if (t.at(i) == quote) {
            if (i + 1 < end && t.at(i + 1) == quote) {
                ++i;
                continue;
            }
            return i + 1;
        }
    }
    return -1;
}

class Parser
{
public:
    Parser(const QString &text, int begin, int end, int depth)
        : t(text)
        , pos(begin)
        , end(end)
        , depth(depth)
    {
        if (depth > maxDepth)
            fail(QStringLiteral("výraz je vnořený příliš hluboko"), begin);
    }

    std::unique_ptr<Node> whole()
    {
        skipSpace();
        if (pos >= end)
            fail(QStringLiteral("výraz je prázdný"), pos);
        auto node = comparison();
        skipSpace();
        if (pos < end)
            fail(QStringLiteral("neočekávaný text „%1“").arg(t.mid(pos, end - pos).left(20)), pos);
        return node;
    }

    // The content of [ … ] between `pos` and `end`.
    std::unique_ptr<Node> reference()
    {
        skipSpace();
        int last = end;
        while (last > pos && isSpace(t.at(last - 1)))
            --last;
        const int start = pos;
        auto node = std::make_unique<Node>();
        node->kind = NodeKind::Name;
        node->position = start + 1;
        node->bracketed = true;
        node->name = t.mid(start, last - start);
        static const QStringList keywords = {QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("NOT")};
        if (scanIdentifier(start) == last && last > start && !keywords.contains(node->name.toUpper())) {
            describeName(*node);
            return node;
        }
        try {
            Parser inner(t, start, last, depth + 1);
            node->children.push_back(inner.whole());
        } catch (const ExpressionError &e) {
            node->contentError = e;
        }
        return node;
    }

    [[noreturn]] void fail(const QString &problem, int at) const { throw ExpressionError(problem, t, at + 1); }

private:
    const QString &t;
    int pos;
    int end;
    int depth;

    void skipSpace()
    {
        while (pos < end && isSpace(t.at(pos)))
            ++pos;
    }

    QChar cur() const { return pos < end ? t.at(pos) : QChar(); }

    // The end of the identifier starting at `from`; `from` itself when there is none.
    int scanIdentifier(int from) const
    {
        if (from >= end || !isIdentifierStart(t.at(from)))
            return from;
        int i = from + 1;
        while (i < end) {
            const QChar c = t.at(i);
            if (isIdentifierPart(c)) {
                ++i;
            } else if (c == QLatin1Char('"') && t.at(i - 1) == QLatin1Char('.')) {
                const int after = skipQuoted(t, i, end);
                return after < 0 ? i : after;
            } else {
                break;
            }
        }
        return i;
    }

    // The keyword at `pos` (upper case), or an empty string.
    QString keywordHere() const
    {
        const int e = scanIdentifier(pos);
        if (e == pos || e - pos > 3)
            return QString();
        const QString word = t.mid(pos, e - pos).toUpper();
        if (word == QLatin1String("AND") || word == QLatin1String("OR") || word == QLatin1String("MOD") ||
            word == QLatin1String("NOT"))
            return word;
        return QString();
    }

    std::unique_ptr<Node> binary(Op op, int at, std::unique_ptr<Node> left, std::unique_ptr<Node> right)
    {
        auto node = std::make_unique<Node>();
        node->kind = NodeKind::Binary;
        node->op = op;
        node->position = at + 1;
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(right));
        return node;
    }

    std::unique_ptr<Node> comparison()
    {
        auto left = additive();
        for (;;) {
            skipSpace();
            const int at = pos;
            const QChar c = cur();
            const QChar n = pos + 1 < end ? t.at(pos + 1) : QChar();
            Op op;
            if (c == QLatin1Char('=')) {
                op = Op::Eq;
                pos += 1;
            } else if (c == QLatin1Char('<') && n == QLatin1Char('>')) {
                op = Op::Ne;
                pos += 2;
            } else if (c == QLatin1Char('<') && n == QLatin1Char('=')) {
                op = Op::Le;
                pos += 2;
            } else if (c == QLatin1Char('>') && n == QLatin1Char('=')) {
                op = Op::Ge;
                pos += 2;
            } else if (c == QLatin1Char('<')) {
                op = Op::Lt;
                pos += 1;
            } else if (c == QLatin1Char('>')) {
                op = Op::Gt;
                pos += 1;
            } else {
                return left;
            }
            left = binary(op, at, std::move(left), additive());
        }
    }

    std::unique_ptr<Node> additive()
    {
        auto left = term();
        for (;;) {
            skipSpace();
            const int at = pos;
            if (cur() == QLatin1Char('+')) {
                ++pos;
                left = binary(Op::Add, at, std::move(left), term());
            } else if (cur() == QLatin1Char('-')) {
                ++pos;
                left = binary(Op::Sub, at, std::move(left), term());
            } else {
                return left;
            }
        }
    }

    std::unique_ptr<Node> term()
    {
        auto left = unary();
        for (;;) {
            skipSpace();
            const int at = pos;
            Op op;
            if (cur() == QLatin1Char('*')) {
                op = Op::Mul;
                ++pos;
            } else if (cur() == QLatin1Char('/')) {
                op = Op::Div;
                ++pos;
            } else {
                const QString word = keywordHere();
                if (word == QLatin1String("AND"))
                    op = Op::And;
                else if (word == QLatin1String("OR"))
                    op = Op::Or;
                else if (word == QLatin1String("MOD"))
                    op = Op::Mod;
                else
                    return left;
                pos += word.size();
            }
            left = binary(op, at, std::move(left), unary());
        }
    }

    std::unique_ptr<Node> unary()
    {
        skipSpace();
        const int at = pos;
        Op op;
        if (cur() == QLatin1Char('-')) {
            op = Op::Neg;
            ++pos;
        } else if (cur() == QLatin1Char('+')) {
            op = Op::Plus;
            ++pos;
        } else if (keywordHere() == QLatin1String("NOT")) {
            op = Op::Not;
            pos += 3;
        } else {
            return primary();
        }
        if (++depth > maxDepth)
            fail(QStringLiteral("výraz je vnořený příliš hluboko"), at);
        auto node = std::make_unique<Node>();
        node->kind = NodeKind::Unary;
        node->op = op;
        node->position = at + 1;
        node->children.push_back(unary());
        --depth;
        return node;
    }

    std::unique_ptr<Node> literal(QVariant value, int at)
    {
        auto node = std::make_unique<Node>();
        node->kind = NodeKind::Literal;
        node->literal = std::move(value);
        node->position = at + 1;
        return node;
    }

    std::unique_ptr<Node> primary()
    {
        skipSpace();
        const int at = pos;
        if (pos >= end)
            fail(QStringLiteral("chybí hodnota na konci výrazu"), pos);
        const QChar c = cur();
        const QChar n = pos + 1 < end ? t.at(pos + 1) : QChar();
        if (c.isDigit() || (c == QLatin1Char('.') && n.isDigit()))
            return number();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            return string();
        if (c == QLatin1Char('(')) {
            const int close = closing(pos, QLatin1Char(')'));
            Parser inner(t, pos + 1, close, depth + 1);
            auto node = inner.whole();
            pos = close + 1;
            return node;
        }
        if (c == QLatin1Char('[')) {
            const int close = closing(pos, QLatin1Char(']'));
            Parser inner(t, pos + 1, close, depth + 1);
            auto node = inner.reference();
            node->position = at + 1;
            pos = close + 1;
            return node;
        }
        if (isIdentifierStart(c))
            return identifier();
        fail(QStringLiteral("neočekávaný znak „%1“").arg(c), pos);
    }

    // The index of the bracket closing the one at `open`; brackets inside quotes do not count.
    int closing(int open, QChar close) const
    {
        int level = 0;
        for (int i = open; i < end;) {
            const QChar c = t.at(i);
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                const int after = skipQuoted(t, i, end);
                if (after < 0)
                    break;
                i = after;
                continue;
            }
            if (c == QLatin1Char('(') || c == QLatin1Char('['))
                ++level;
            else if (c == QLatin1Char(')') || c == QLatin1Char(']'))
                --level;
            if (level == 0) {
                if (c != close)
                    fail(QStringLiteral("závorka „%1“ je uzavřena znakem „%2“").arg(t.at(open), c), i);
                return i;
            }
            ++i;
        }
        fail(close == QLatin1Char(')') ? QStringLiteral("chybí pravá závorka „)“")
                                       : QStringLiteral("chybí pravá hranatá závorka „]“"),
             open);
    }

    std::unique_ptr<Node> number()
    {
        const int at = pos;
        bool whole = true;
        while (pos < end && t.at(pos).isDigit())
            ++pos;
        const auto digitAt = [&](int i) { return i < end && t.at(i).isDigit(); };
        if (pos < end && (t.at(pos) == QLatin1Char('.') || t.at(pos) == QLatin1Char(',')) && digitAt(pos + 1)) {
            whole = false;
            ++pos;
            while (digitAt(pos))
                ++pos;
        }
        if (pos < end && (t.at(pos) == QLatin1Char('e') || t.at(pos) == QLatin1Char('E'))) {
            int e = pos + 1;
            if (e < end && (t.at(e) == QLatin1Char('+') || t.at(e) == QLatin1Char('-')))
                ++e;
            if (digitAt(e)) {
                whole = false;
                pos = e;
                while (digitAt(pos))
                    ++pos;
            }
        }
        QString text = t.mid(at, pos - at);
        if (whole) {
            bool ok = false;
            const qint64 v = text.toLongLong(&ok);
            if (ok)
                return literal(v, at);
        }
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (!ok || !qIsFinite(d))
            fail(QStringLiteral("číslo %1 je mimo rozsah").arg(t.mid(at, pos - at)), at);
        return literal(d, at);
    }

    std::unique_ptr<Node> string()
    {
        const int at = pos;
        const QChar quote = t.at(pos);
        const int after = skipQuoted(t, pos, end);
        if (after < 0)
            fail(QStringLiteral("text v uvozovkách není uzavřen"), at);
        QString value = t.mid(at + 1, after - at - 2);
        value.replace(QString(2, quote), QString(quote));
        pos = after;
        return literal(value, at);
    }

    // Splits `name` into data set and field when written DataSet."Field".
    static void describeName(Node &node)
    {
        const QString &name = node.name;
        if (name.endsWith(QLatin1Char('"'))) {
            const int quote = name.indexOf(QLatin1String(".\""));
            if (quote > 0) {
                node.fieldForm = true;
                node.dataSet = name.left(quote);
                node.fieldName =
                    name.mid(quote + 2, name.size() - quote - 3).replace(QLatin1String("\"\""), QLatin1String("\""));
            }
        }
    }

    std::unique_ptr<Node> identifier()
    {
        const int at = pos;
        pos = scanIdentifier(pos);
        const QString word = t.mid(at, pos - at);
        const QString upper = word.toUpper();
        if (upper == QLatin1String("TRUE"))
            return literal(true, at);
        if (upper == QLatin1String("FALSE"))
            return literal(false, at);
        if (cur() == QLatin1Char('[') && !word.contains(QLatin1Char('"'))) {
            const int close = closing(pos, QLatin1Char(']'));
            auto node = std::make_unique<Node>();
            node->kind = NodeKind::ArrayItem;
            node->position = at + 1;
            node->name = word;
            node->argumentTexts = {word, t.mid(pos + 1, close - pos - 1).trimmed()};
            Parser inner(t, pos + 1, close, depth + 1);
            node->children.push_back(inner.whole());
            pos = close + 1;
            return node;
        }
        skipSpace();
        if (cur() == QLatin1Char('(') && !word.contains(QLatin1Char('"')))
            return call(upper, at);
        auto node = std::make_unique<Node>();
        node->kind = NodeKind::Name;
        node->position = at + 1;
        node->name = word;
        describeName(*node);
        return node;
    }

    struct Argument
    {
        int begin;
        int end;
    };

    // The arguments between the parentheses at `pos`, split at their top-level commas.
    std::vector<Argument> argumentList(int &closeAt)
    {
        closeAt = closing(pos, QLatin1Char(')'));
        std::vector<Argument> args;
        int start = pos + 1;
        int level = 0;
        for (int i = pos + 1; i <= closeAt;) {
            const QChar c = t.at(i);
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                const int after = skipQuoted(t, i, closeAt);
                if (after < 0)
                    break; // cannot happen: closing() matched the quotes already
                i = after;
                continue;
            }
            if (c == QLatin1Char('(') || c == QLatin1Char('['))
                ++level;
            else if ((c == QLatin1Char(')') || c == QLatin1Char(']')) && i < closeAt)
                --level;
            if ((c == QLatin1Char(',') && level == 0) || i == closeAt) {
                args.push_back({start, i});
                start = i + 1;
            }
            ++i;
        }
        if (args.size() == 1 && t.mid(args[0].begin, args[0].end - args[0].begin).trimmed().isEmpty())
            args.clear();
        return args;
    }

    int firstCharacter(const Argument &a) const
    {
        int i = a.begin;
        while (i < a.end && isSpace(t.at(i)))
            ++i;
        return i;
    }

    QString argumentText(const Argument &a) const { return t.mid(a.begin, a.end - a.begin).trimmed(); }

    std::unique_ptr<Node> call(const QString &name, int at)
    {
        int close = 0;
        const std::vector<Argument> list = argumentList(close);
        pos = close + 1;
        std::vector<CallArgument> args;
        for (const Argument &a : list) {
            CallArgument arg;
            arg.text = argumentText(a);
            arg.position = firstCharacter(a) + 1;
            try {
                Parser inner(t, a.begin, a.end, depth + 1);
                arg.node = inner.whole();
            } catch (const ExpressionError &e) {
                arg.error = e;
            }
            args.push_back(std::move(arg));
        }
        return makeCall(name, at + 1, t.mid(at, pos - at), std::move(args), t);
    }
};

} // namespace

std::shared_ptr<const CompiledExpression> parseExpression(const QString &text, bool bracketContent)
{
    auto compiled = std::make_shared<CompiledExpression>();
    compiled->text = text;
    if (text.trimmed().isEmpty())
        return compiled;
    Parser parser(compiled->text, 0, int(compiled->text.size()), 0);
    compiled->root = bracketContent ? parser.reference() : parser.whole();
    return compiled;
}

} // namespace ergotab::report::detail
