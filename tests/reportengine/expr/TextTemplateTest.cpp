#include "TestHost.h"

#include "reportengine/expr/SystemVariables.h"
#include "reportengine/expr/TextTemplate.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using ergotab::report::test::TestHost;

namespace {

TestHost reportHost()
{
    TestHost host;
    host.set(QStringLiteral("PAGE#"), 3);
    host.set(QStringLiteral("TOTALPAGES"), 10);
    host.set(QStringLiteral("Part total"), 1234.5);
    host.set(QStringLiteral("DATE"), QDate(2024, 3, 5));
    host.set(QStringLiteral("Zero"), 0);
    host.set(QStringLiteral("Flag"), true);
    host.setField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Text"), QStringLiteral("Hluk"));
    host.aggregateValues.insert(QStringLiteral("Sum([Part total], Band8)"), 2469);
    return host;
}

} // namespace

TEST(TextTemplate, PartsAreReplacedByTheirValuesWithNestingAndQuotes)
{
    TestHost host = reportHost();
    const struct
    {
        const char *text;
        const char *expected;
    } cases[] = {
        {"Strana [PAGE#] z [TOTALPAGES]", "Strana 3 z 10"},
        {"[Kategorie_DataSet.\"Text\"]: [Part total]", "Hluk: 1234,5"},
        {"Celkem [Sum([Part total], Band8)] Kč", "Celkem 2469 Kč"},
        {"[IF([PAGE#] = [TOTALPAGES], 'konec', 'pokračuje [dál]')]", "pokračuje [dál]"},
        {"[COPY(\"a]b\", 2, 1)]", "]"},
        {"Bez výrazů, jen text (it's)", "Bez výrazů, jen text (it's)"},
        {"Neuzavřená [závorka", "Neuzavřená [závorka"},
        {"[]x", "x"},
        {"[PAGE#][PAGE#]", "33"},
        {"řádek 1\n[PAGE# + 1]\nřádek 3", "řádek 1\n4\nřádek 3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(expandText(QString::fromUtf8(c.text), host), QString::fromUtf8(c.expected)) << c.text;
}

// Rich text keeps its parts the way an HTML writer puts them: the parts read the escapes as the
// characters, and the values are escaped in turn, so neither breaks the other.
TEST(TextTemplate, RichTextPartsReadHtmlEscapesAndTheirValuesAreEscaped)
{
    TestHost host = reportHost();
    const auto rich = [&host](const char *html) {
        return TextTemplate::compile(QString::fromUtf8(html), TextTemplate::Markup::Html).expand(host);
    };
    EXPECT_EQ(rich("<p>[IF([PAGE#] &lt; [TOTALPAGES], &apos;A &amp; B&apos;, &#39;x&#39;)]: "
                   "[Kategorie_DataSet.&quot;Text&quot;]</p>"),
              QStringLiteral("<p>A &amp; B: Hluk</p>"));
    EXPECT_EQ(rich("<b>[&quot;&lt;i&gt;&quot;]</b> &amp;lt;"), QStringLiteral("<b>&lt;i&gt;</b> &amp;lt;"));
    // A plain text takes the same characters as they stand.
    EXPECT_EQ(expandText(QStringLiteral("[IF(1 < 2, 'A & B', '')] &lt;"), host), QStringLiteral("A & B &lt;"));
}

TEST(TextTemplate, InlineFormatsOverrideTheObjectFormat)
{
    TestHost host = reportHost();
    const struct
    {
        const char *text;
        const char *expected;
    } cases[] = {
        {"[Part total #N#,##0.00]", "1\u00A0234,50"},
        {"[Part total #N2,2]", "1234,50"},
        {"[Part total #N10.1]", "1234.5"},
        {"[Part total #3-0]", "1235"},
        {"[Part total #N0]", "1235"},
        {"[PAGE# #N1.2]", "3.00"}, // a digit after N: fixed point, "." printed, the number after it places
        {"[PAGE# #N0.00]", "3"},
        {"[Part total #N##0.00]", "1234,50"},
        {"[DATE #Dd. mmmm yyyy]", "5. března 2024"},
        {"[DATE #Ddddd]", "úterý"},
        {"[Flag #BNe;Ano] / [Zero #BNe;Ano]", "Ano / Ne"},
        {"[IF(1, 'a #N0', 'b') #N0]", "a #N0"}, // " #" inside quotes is text; a text stays a text
        {"[Part total]", "1234,5"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(expandText(QString::fromUtf8(c.text), host), QString::fromUtf8(c.expected)) << c.text;

    // The object's own format applies to parts without an inline one.
    const DisplayFormat twoPlaces = DisplayFormat::fromEngineFormat(0x0101022C);
    EXPECT_EQ(expandText(QStringLiteral("[Part total] / [PAGE# #N0]"), host, twoPlaces), QStringLiteral("1234,50 / 3"));
}

TEST(TextTemplate, CompiledTextsTellWhatTheyNeed)
{
    const TextTemplate t =
        TextTemplate::compile(QStringLiteral("Strana [PAGE#] z [TOTALPAGES], [Sum([Part total], Band8) #N0.00]"));
    EXPECT_TRUE(t.hasExpressions());
    EXPECT_FALSE(t.isSingleExpression());
    EXPECT_TRUE(t.refersTo(SystemVariable::TotalPages));
    ASSERT_EQ(t.aggregates().size(), 1);
    EXPECT_EQ(t.aggregates().at(0).text, QStringLiteral("Sum([Part total], Band8)"));
    EXPECT_EQ(aggregatesInText(QStringLiteral("[Count(Band4)] a [COUNT(Band5)]")).size(), 2);
    ASSERT_EQ(t.parts().size(), 4);
    EXPECT_EQ(t.parts().at(1).offset, 18);
    EXPECT_TRUE(t.parts().at(2).format.has_value());

    EXPECT_TRUE(TextTemplate::compile(QStringLiteral("[Kategorie_DataSet.\"Text\"]")).isSingleExpression());
    EXPECT_FALSE(TextTemplate::compile(QStringLiteral("jen text")).hasExpressions());

    // Expanding many times does not parse again: the same compiled text gives each record's value.
    TestHost host = reportHost();
    const TextTemplate line = TextTemplate::compile(QStringLiteral("[LINE#]. [Kategorie_DataSet.\"Text\"]"));
    for (int i = 1; i <= 3; ++i) {
        host.set(QStringLiteral("LINE#"), i);
        EXPECT_EQ(line.expand(host), QStringLiteral("%1. Hluk").arg(i));
    }
}

TEST(TextTemplate, AFailingPartReportsItsOwnText)
{
    TestHost host = reportHost();
    try {
        expandText(QStringLiteral("Celkem: [PAGE# * 'x'] ks"), host);
        ADD_FAILURE() << "no error";
    } catch (const ExpressionError &e) {
        EXPECT_EQ(e.expression(), QStringLiteral("PAGE# * 'x'"));
        EXPECT_EQ(e.position(), 7);
    }
    try {
        expandText(QStringLiteral("[Nikde nic]"), host);
        ADD_FAILURE() << "no error";
    } catch (const ExpressionError &e) {
        EXPECT_EQ(e.expression(), QStringLiteral("Nikde nic"));
    }
}
