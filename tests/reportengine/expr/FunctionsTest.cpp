#include "TestHost.h"

#include "reportengine/expr/Expression.h"
#include "reportengine/expr/ExpressionCache.h"
#include "reportengine/expr/SystemVariables.h"
#include "reportengine/expr/ValueConversion.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using ergotab::report::test::TestHost;

namespace {

QString textOf(TestHost &host, const char *expression)
{
    try {
        return value::toText(host.eval(QString::fromUtf8(expression)));
    } catch (const ExpressionError &e) {
        return QStringLiteral("error: ") + e.message();
    }
}

} // namespace

TEST(Functions, EveryBuiltInFunctionComputesItsValue)
{
    TestHost host;
    host.set(QStringLiteral("D"), QDateTime(QDate(2024, 3, 5), QTime(8, 7, 9)));
    const struct
    {
        const char *expression;
        const char *expected;
    } cases[] = {
        {"INT(3.7)", "3"},
        {"INT(-3.7)", "-3"},
        {"FRAC(3.25)", "0,25"},
        {"ROUND(2.5)", "2"}, // ties to even, as Delphi's Round
        {"ROUND(3.5)", "4"},
        {"ROUND(-2.6)", "-3"},
        {"ROUND('2,4')", "2"},
        {"STR(1.5) + 'x'", "1,5x"},
        {"STR(10 / 4)", "2,5"},
        {"COPY('Kategorie', 2, 3)", "ate"},
        {"COPY('abc', 0, 2)", "ab"},
        {"COPY('abc', 3, 100)", "c"},
        {"COPY('abc', 5, 1)", ""},
        {"COPY('abc', 1, -1)", ""},
        {"COPY('a,b', 2, 1)", ","},
        {"IF(1 > 2, 'a', 'b')", "b"},
        {"IF('True', 'a', 'b')", "a"},
        {"IF(0.5, 'a', 'b')", "a"},
        {"STRTODATE('24.12.2024')", "24.12.2024"},
        {"STRTODATE('1.2.99')", "1.2.1999"},
        {"STRTODATE('2024-02-29') + 1", "1.3.2024"},
        {"STRTOTIME('8:30')", "8:30:00"},
        {"DAYOF(D)", "5"},
        {"MONTHOF(D)", "3"},
        {"YEAROF('5.3.2024')", "2024"},
        {"FORMATDATETIME('dd.mm.yyyy hh:nn', D)", "05.03.2024 08:07"},
        {"FORMATFLOAT('#,##0.00', 1234.5)", "1\u00A0234,50"},
        {"FORMATFLOAT('0.0', '2,25')", "2,3"},
        {"FORMATTEXT('000 00;0;_', '12345')", "123 45"},
        {"LENGTH('Žluťoučký')", "9"},
        {"LENGTH(12.5)", "4"},
        {"LOWERCASE('ŽLUŤ Kůň')", "žluť kůň"},
        {"UPPERCASE('žluť')", "ŽLUŤ"},
        {"NAMECASE('jAN nOVÁK')", "Jan novák"},
        {"POS('ou', 'Žluťoučký')", "5"},
        {"POS('x', 'abc')", "0"},
        {"TRIM('  a b  ')", "a b"},
        {"MAXNUM(2, 3.5)", "3,5"},
        {"MINNUM(2, '3')", "2"},
        {"MAXNUM('7', 3)", "7"},
        {"int(2.5) + Round(1.4)", "3"}, // names of functions are not case sensitive
    };
    for (const auto &c : cases)
        EXPECT_EQ(textOf(host, c.expression), QString::fromUtf8(c.expected)) << c.expression;
}

TEST(Functions, IfEvaluatesOnlyTheBranchItTakes)
{
    TestHost host;
    EXPECT_EQ(host.eval(QStringLiteral("IF(1, 'ok', NOSUCH(1))")), QVariant(QStringLiteral("ok")));
    EXPECT_EQ(host.eval(QStringLiteral("IF(0, INPUT('never'), 2)")), QVariant(qint64(2)));
    EXPECT_TRUE(host.functionCalls.isEmpty());
    EXPECT_TRUE(host.prompts.isEmpty());
}

TEST(Functions, InputAndMessageBoxAreAnsweredByTheCaller)
{
    TestHost host;
    EXPECT_EQ(host.eval(QStringLiteral("INPUT('Zaměstnavatel', 'Firma')")), QVariant(QStringLiteral("Firma")));
    host.inputAnswer = QStringLiteral("ACME");
    EXPECT_EQ(host.eval(QStringLiteral("'Pro: ' + INPUT('Zaměstnavatel')")), QVariant(QStringLiteral("Pro: ACME")));
    EXPECT_EQ(host.prompts, (QStringList {QStringLiteral("Zaměstnavatel"), QStringLiteral("Zaměstnavatel")}));
    EXPECT_EQ(host.eval(QStringLiteral("MESSAGEBOX('Pozor', 'Titul', 4)")), QVariant(qint64(6)));
    EXPECT_EQ(host.eval(QStringLiteral("MESSAGEBOX('Jen text')")), QVariant(qint64(6)));
    EXPECT_EQ(host.messages, (QStringList {QStringLiteral("Pozor|Titul|4"), QStringLiteral("Jen text||0")}));
}

TEST(Functions, UnknownFunctionsGoToTheHostWithTheirArgumentTexts)
{
    TestHost host;
    host.setField(QStringLiteral("Object_DataSet"), QStringLiteral("UpLink"), 42);
    host.setField(QStringLiteral("Object_DataSet"), QStringLiteral("Kat"), QStringLiteral("0102x"));
    // The handler of this program evaluates its first argument and ignores the others.
    host.functions.insert(QStringLiteral("R_PATH"), [](const QStringList &args, const ArgumentEvaluator &evaluate) {
        return QVariant(QStringLiteral("path of %1").arg(evaluate(args.at(0)).toString()));
    });
    host.functions.insert(QStringLiteral("R_MAXKATEGORIE"),
                          [](const QStringList &args, const ArgumentEvaluator &evaluate) -> QVariant {
                              const QString digits = value::toText(evaluate(args.at(0)));
                              int best = 0;
                              for (const QChar c : digits) {
                                  if (!c.isDigit())
                                      throw ergotab::AppError(QStringLiteral("znak „%1“ není číslice").arg(c));
                                  best = std::max(best, c.digitValue());
                              }
                              return best;
                          });
    host.functions.insert(QStringLiteral("ANY"), [](const QStringList &, const ArgumentEvaluator &evaluate) {
        return evaluate(QStringLiteral("2 * 21")); // a text that is none of the arguments
    });

    EXPECT_EQ(
        host.eval(QStringLiteral("'Cesta: ' + r_path ( [Object_DataSet.\"UpLink\"] , 'x, y', COPY('a,b', 1, 2))")),
        QVariant(QStringLiteral("Cesta: path of 42")));
    EXPECT_EQ(host.functionCalls.last(),
              (QStringList {QStringLiteral("R_PATH"), QStringLiteral("[Object_DataSet.\"UpLink\"]"),
                            QStringLiteral("'x, y'"), QStringLiteral("COPY('a,b', 1, 2)")}));
    EXPECT_EQ(host.eval(QStringLiteral("R_MAXKATEGORIE('0102301')")), QVariant(3));
    EXPECT_EQ(host.eval(QStringLiteral("ANY()")), QVariant(qint64(42)));
    EXPECT_EQ(host.functionCalls.last(), QStringList {QStringLiteral("ANY")});
    // Arguments the engine cannot parse still reach the host as text.
    EXPECT_NO_THROW(host.eval(QStringLiteral("ANY(@weird@, 1)")));
    EXPECT_EQ(host.functionCalls.last().at(1), QStringLiteral("@weird@"));

    // An error of the handler (a non-digit in the text) is an error of the expression, at the call.
    try {
        host.eval(QStringLiteral("1 + R_MAXKATEGORIE(Object_DataSet.\"Kat\")"));
        ADD_FAILURE() << "no error";
    } catch (const ExpressionError &e) {
        EXPECT_EQ(e.position(), 5);
        EXPECT_EQ(e.problem(), QStringLiteral("funkce R_MAXKATEGORIE: znak „x“ není číslice"));
    }
    // name[index] asks the host for GETARRAY.
    host.functions.insert(QStringLiteral("GETARRAY"), [](const QStringList &args, const ArgumentEvaluator &evaluate) {
        return QVariant(args.at(0) + QLatin1Char('/') + value::toText(evaluate(args.at(1))));
    });
    EXPECT_EQ(host.eval(QStringLiteral("Totals[1 + 1]")), QVariant(QStringLiteral("Totals/2")));
}

TEST(Functions, AggregatesAreListedAndAskedOfTheHost)
{
    TestHost host;
    const Expression e = Expression::parse(QStringLiteral("Sum([Part total], Band8) / COUNT( Band4 , 1 ) + "
                                                          "MAX(SUM(Object_DataSet.\"Zam\") * 2, Band2, 2) + Avg(x)"));
    const QList<AggregateCall> calls = e.aggregates();
    ASSERT_EQ(calls.size(), 5);
    EXPECT_EQ(calls[0].kind, AggregateCall::Kind::Sum);
    EXPECT_EQ(calls[0].expression, QStringLiteral("[Part total]"));
    EXPECT_EQ(calls[0].band, QStringLiteral("Band8"));
    EXPECT_EQ(calls[0].flags, 0);
    EXPECT_EQ(calls[0].text, QStringLiteral("Sum([Part total], Band8)"));
    EXPECT_EQ(calls[1].kind, AggregateCall::Kind::Count);
    EXPECT_EQ(calls[1].expression, QString());
    EXPECT_EQ(calls[1].band, QStringLiteral("Band4"));
    EXPECT_EQ(calls[1].flags, 1);
    EXPECT_EQ(calls[2].kind, AggregateCall::Kind::Max);
    EXPECT_EQ(calls[2].expression, QStringLiteral("SUM(Object_DataSet.\"Zam\") * 2"));
    EXPECT_EQ(calls[2].flags, 2);
    EXPECT_EQ(calls[3].kind, AggregateCall::Kind::Sum); // inside MAX
    EXPECT_EQ(calls[3].band, QString());                // the whole data set, or the footer's band
    EXPECT_EQ(calls[3].text, QStringLiteral("SUM(Object_DataSet.\"Zam\")"));
    EXPECT_EQ(calls[4].kind, AggregateCall::Kind::Avg);
    // The earlier engine's dictionaries count over a data set named in place of a band.
    const QList<AggregateCall> count = Expression::parse(QStringLiteral("Count(CustomerData.Customers)")).aggregates();
    ASSERT_EQ(count.size(), 1);
    EXPECT_EQ(count[0].band, QStringLiteral("CustomerData.Customers"));

    host.aggregateValues.insert(QStringLiteral("Sum([Part total], Band8)"), 30);
    host.aggregateValues.insert(QStringLiteral("COUNT( Band4 , 1 )"), 4);
    host.aggregateValues.insert(QStringLiteral("MAX(SUM(Object_DataSet.\"Zam\") * 2, Band2, 2)"), 1);
    host.aggregateValues.insert(QStringLiteral("Avg(x)"), 0.5);
    EXPECT_EQ(value::toText(e.evaluate(host)), QStringLiteral("9"));
    EXPECT_EQ(host.aggregateCalls.size(), 4) << "the inner SUM is the host's to evaluate inside MAX's expression";
}

TEST(Functions, TheCacheParsesEachTextOnceAndNamesTellWhatIsRead)
{
    ExpressionCache cache;
    const Expression &a = cache.expression(QStringLiteral("[TOTALPAGES] - PAGE#"));
    const Expression &b = cache.expression(QStringLiteral("[TOTALPAGES] - PAGE#"));
    EXPECT_EQ(&a, &b);
    EXPECT_TRUE(a.refersTo(SystemVariable::TotalPages));
    EXPECT_TRUE(a.refersTo(QLatin1String("page#")));
    EXPECT_FALSE(a.refersTo(SystemVariable::Line));
    EXPECT_EQ(a.names(), (QStringList {QStringLiteral("TOTALPAGES"), QStringLiteral("PAGE#")}));
    EXPECT_EQ(Expression::parse(QStringLiteral("[[Part total] + Fak01] * 2")).names(),
              (QStringList {QStringLiteral("Part total"), QStringLiteral("Fak01")}));
    EXPECT_THROW(cache.expression(QStringLiteral("1 +")), ExpressionError);
    EXPECT_THROW(cache.expression(QStringLiteral("1 +")), ExpressionError) << "a broken text is not kept";
    EXPECT_EQ(&cache.text(QStringLiteral("[PAGE#]")), &cache.text(QStringLiteral("[PAGE#]")));

    TestHost host;
    host.set(QStringLiteral("x"), 1);
    EXPECT_TRUE(Expression::parse(QStringLiteral("x = 1")).evaluateCondition(host));
    EXPECT_FALSE(Expression::parse(QStringLiteral("x > 1")).evaluateCondition(host));
    EXPECT_THROW(Expression::parse(QStringLiteral("'maybe'")).evaluateCondition(host), ExpressionError);
}
