#include "TestHost.h"

#include "reportengine/expr/Expression.h"
#include "reportengine/expr/ValueConversion.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using ergotab::report::test::TestHost;

namespace {

struct Case
{
    const char *expression;
    const char *expected; // the value as text
};

void expectAll(TestHost &host, std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.expression);
        try {
            EXPECT_EQ(value::toText(host.eval(text)), QString::fromUtf8(c.expected)) << c.expression;
        } catch (const ExpressionError &e) {
            ADD_FAILURE() << c.expression << ": " << e.what();
        }
    }
}

// The error the expression gives, parsing or evaluating.
ExpressionError errorOf(TestHost &host, const QString &text)
{
    try {
        host.eval(text);
    } catch (const ExpressionError &e) {
        return e;
    }
    ADD_FAILURE() << "no error for " << text.toStdString();
    return ExpressionError(QString(), text, 0);
}

} // namespace

TEST(Expression, OperatorsBindAsInTheEarlierEngine)
{
    TestHost host;
    expectAll(host, {
                        {"1 + 2 * 3", "7"},
                        {"(1 + 2) * 3", "9"},
                        {"10 - 2 - 3", "5"},
                        {"12 / 2 / 3", "2"},
                        {"7 mod 3 + 1", "2"},
                        {"3 > 2 + 2", "0"}, // comparisons bind loosest
                        {"2 + 2 = 4", "1"},
                        // AND/OR bind like *: this reads 1 = (1 and 2) = 2, which is 0
                        {"1 = 1 and 2 = 2", "0"},
                        {"(1 = 1) and (2 = 2)", "1"},
                        {"1 or 0 * 5", "5"}, // (1 or 0) * 5
                        {"0 or 0", "0"},
                        {"not 0", "1"},
                        {"not 1 = 0", "1"}, // (not 1) = 0
                        {"-2 * 3", "-6"},
                        {"2 - -2", "4"},
                        {"- -2", "2"},
                        {"+'5' + 1", "6"},
                        {"1 < 2 = 1", "1"}, // left to right: (1 < 2) = 1
                    });
}

TEST(Expression, NumbersTextsAndDatesFollowTheEarlierEngine)
{
    TestHost host;
    host.set(QStringLiteral("DATE"), QDate(2024, 1, 31));
    expectAll(host, {
                        {"7 / 2", "3,5"},
                        {"7 / 0", "0"}, // division by zero gives 0
                        {"7 mod 0", "0"},
                        {"1,5 + 1", "2,5"}, // ',' is a decimal point outside argument lists
                        {".5 * 4", "2"},
                        {"1e3 + 1", "1001"},
                        {"0.1 + 0.2", "0,3"},
                        {"9223372036854775807 + 1", "9,22337203685478E18"},
                        {"'ab' + 'cd'", "abcd"},
                        {"'It''s'", "It's"},
                        {"\"double\"", "double"},
                        {"'Strana ' + 3", "Strana 3"},
                        {"'12' + 3", "15"},
                        {"'12' * '2'", "24"},
                        {"'a' < 'b'", "1"},
                        {"'b' < 'a'", "0"},
                        {"'10' = 10", "1"},
                        {"'abc' = 'ABC'", "0"},
                        {"TRUE", "True"},
                        {"true = 1", "1"},
                        {"FALSE + 1", "1"},
                        {"DATE + 1", "1.2.2024"},
                        {"DATE - 1", "30.1.2024"},
                        {"DATE - STRTODATE('1.1.2024')", "30"},
                        {"DATE > STRTODATE('31.12.2023')", "1"},
                        {"DATE = '31.1.2024'", "1"},
                    });
    // Whole numbers stay whole; the same value through a division is a double that prints alike.
    EXPECT_EQ(host.eval(QStringLiteral("2 * 3")).typeId(), QMetaType::LongLong);
    EXPECT_EQ(host.eval(QStringLiteral("6 / 2")).typeId(), QMetaType::Double);
    EXPECT_EQ(host.eval(QStringLiteral("2 = 2")), QVariant(qint64(1)));
}

TEST(Expression, NamesReachVariablesAndFieldsInEitherForm)
{
    TestHost host;
    host.set(QStringLiteral("Part total"), 12.5);
    host.set(QStringLiteral("PAGE#"), 3);
    host.set(QStringLiteral("Edit1.Text"), QStringLiteral("Firma"));
    host.setField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Text"), QStringLiteral("Hluk"));
    host.setField(QString(), QStringLiteral("Fak01"), 7);
    host.setField(QStringLiteral("Table1"), QStringLiteral("Name"), QStringLiteral("plain"));
    host.set(QStringLiteral("Both"), QStringLiteral("variable"));
    host.setField(QString(), QStringLiteral("Both"), QStringLiteral("field"));
    expectAll(host, {
                        {"[Part total] * 2", "25"},
                        {"[ Part total ]", "12,5"},
                        {"page# + 1", "4"},
                        {"[PAGE#]", "3"},
                        {"Kategorie_DataSet.\"Text\"", "Hluk"},
                        {"[Kategorie_DataSet.\"Text\"] + '!'", "Hluk!"},
                        {"Fak01 * 2", "14"},
                        {"[Fak01]", "7"},
                        {"Edit1.Text", "Firma"},
                        {"Table1.Name", "plain"},
                        {"Both", "variable"},
                        {"[1 + 2] * 2", "6"},
                        {"[[Part total] * 2]", "25"},
                    });
}

TEST(Expression, SyntaxErrorsNameThePlace)
{
    TestHost host;
    const struct
    {
        const char *text;
        int position;
        const char *problem;
    } cases[] = {
        {"1 +", 4, "chybí hodnota"},
        {"(1 + 2", 1, "chybí pravá závorka"},
        {"2 * [Part total", 5, "chybí pravá hranatá"},
        {"(1 + 2]", 7, "uzavřena"},
        {"1 + 'abc", 5, "není uzavřen"},
        {"1 2", 3, "neočekávaný text"},
        {"1 + @", 5, "neočekávaný znak „@“"},
        {"COPY('abc', 1)", 1, "COPY má mít 3 argumenty, má jich 2"},
        {"IF(1, 2)", 1, "IF"},
        {"SUM(x, 3)", 8, "jméno pásu"},
        {"MAX(a, 3)", 8, "MAXNUM"},
        {"COUNT(Band1, x)", 14, "číslo"},
        {"F(1, 2, 3, 4)", 1, "nejvýše tři"},
        {"", 0, "prázdný"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        if (text.isEmpty()) {
            EXPECT_TRUE(Expression::parse(text).isEmpty());
            EXPECT_FALSE(host.eval(text).isValid());
            continue;
        }
        try {
            Expression::parse(text);
            ADD_FAILURE() << "parsed: " << c.text;
        } catch (const ExpressionError &e) {
            EXPECT_EQ(e.position(), c.position) << c.text << ": " << e.what();
            EXPECT_TRUE(e.problem().contains(QString::fromUtf8(c.problem))) << c.text << ": " << e.what();
            EXPECT_EQ(e.expression(), text);
            EXPECT_TRUE(e.message().contains(QStringLiteral("„%1“ na pozici %2").arg(text).arg(c.position)))
                << e.what();
        }
    }
}

TEST(Expression, ValuesThatCannotBeUsedAreErrorsAtTheirPlace)
{
    TestHost host;
    host.set(QStringLiteral("Name"), QStringLiteral("Novák"));
    const struct
    {
        const char *text;
        int position;
        const char *problem;
    } cases[] = {
        {"'abc' * 2", 7, "„abc“ není číslo"},
        {"1 + Unknown", 5, "neznámá proměnná nebo pole „Unknown“"},
        {"Data.\"Nic\"", 1, "zdroj dat „Data“ nemá pole „Nic“"},
        {"1 + NOSUCH(2)", 5, "neznámá funkce NOSUCH"},
        {"IF('x', 1, 2)", 1, "není podmínka"},
        {"Name mod 2", 6, "není celé číslo"},
        {"YEAROF('pondělí')", 1, "není datum"},
        {"STRTODATE('32.1.2024')", 1, "není datum"},
        {"[Part total + ]", 7, "neočekávaný text"}, // not a variable, and no expression either
        {"Arr[1]", 1, "neznámé pole hodnot „Arr“"},
        {"STRTODATE('1.1.2024') + 1e15", 23, "mimo kalendář"},
    };
    for (const auto &c : cases) {
        const ExpressionError e = errorOf(host, QString::fromUtf8(c.text));
        EXPECT_EQ(e.position(), c.position) << c.text << ": " << e.what();
        EXPECT_TRUE(e.problem().contains(QString::fromUtf8(c.problem))) << c.text << ": " << e.what();
    }
    // A variable with the whole bracket text as its name wins over the broken expression.
    host.set(QStringLiteral("Part total +"), 1);
    EXPECT_EQ(host.eval(QStringLiteral("[Part total + ]")), QVariant(1));
    // The layout engine puts the object and band in front.
    const ExpressionError e = errorOf(host, QStringLiteral("'abc' * 2"));
    EXPECT_TRUE(e.withContext(QStringLiteral("Objekt Memo1 v pásu Band2: "))
                    .message()
                    .startsWith(QStringLiteral("Objekt Memo1 v pásu Band2: Chyba ve výrazu „'abc' * 2“ na pozici 7")));
}

TEST(Expression, HostileInputEndsInErrorsNotCrashes)
{
    TestHost host;
    const QString deep = QString(5000, QLatin1Char('(')) + QLatin1Char('1') + QString(5000, QLatin1Char(')'));
    EXPECT_TRUE(errorOf(host, deep).problem().contains(QStringLiteral("příliš hluboko")));
    const QString negations = QString(5000, QLatin1Char('-')) + QLatin1Char('1');
    EXPECT_TRUE(errorOf(host, negations).problem().contains(QStringLiteral("příliš hluboko")));
    const QString brackets = QString(5000, QLatin1Char('[')) + QLatin1Char('1') + QString(5000, QLatin1Char(']'));
    EXPECT_THROW(host.eval(brackets), ExpressionError);

    // A template variable whose definition reads itself.
    struct Looping : TestHost
    {
        bool variable(const QString &name, QVariant &value) override
        {
            if (name != QLatin1String("Loop"))
                return false;
            value = Expression::parse(QStringLiteral("Loop + 1")).evaluate(*this);
            return true;
        }
    } looping;
    try {
        looping.eval(QStringLiteral("Loop"));
        ADD_FAILURE() << "no error";
    } catch (const ExpressionError &e) {
        EXPECT_TRUE(e.problem().contains(QStringLiteral("sám na sebe"))) << e.what();
    }
    EXPECT_EQ(looping.eval(QStringLiteral("1 + 1")), QVariant(qint64(2))) << "the guard is released";
}
