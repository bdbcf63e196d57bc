// Bands printed only while their print-if condition holds, and variables offered by the caller.
#include "TestSources.h"

#include "reportengine/layout/ReportEngine.h"
#include "reportengine/model/TemplateXml.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::report;
using namespace Qt::StringLiterals;

namespace {

PrepareResult prepare(const QByteArray &pageXml, ReportCallbacks callbacks = {}, const QByteArray &extra = {})
{
    test::TestSources sources;
    ReportEngine engine;
    engine.setTemplate(readTemplateXml(
        "<report version=\"1\">" + extra + "<page name=\"P\">" + pageXml + "</page></report>", u"t.frf"_s));
    for (DataSource *s : sources.all())
        engine.addDataSource(*s);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    engine.setCallbacks(std::move(callbacks));
    return engine.prepare();
}

QStringList texts(const PrepareResult &result)
{
    QStringList out;
    for (const PreparedPage &page : result.report.pages)
        for (const PreparedItem &item : page.items)
            if (const auto *t = std::get_if<TextItem>(&item))
                out << t->text;
    return out;
}

QByteArray text(const char *name, const char *content)
{
    return QByteArray("<text name=\"") + name + "\" width=\"100\" height=\"5\"><content>" + content +
           "</content></text>";
}

} // namespace

TEST(PrintCondition, ADataBandLeavesOutRecordsWithTheirGroupsLinesAndAggregates)
{
    const auto result =
        prepare("<band kind=\"group-header\" name=\"G\" condition=\"[UpLink]\">" + text("GT", "skupina [UpLink]") +
                "</band>"
                "<band kind=\"master-data\" name=\"Rows\" data-source=\"Assessments\" "
                "print-if=\"[Kat] &gt;= 3\">" +
                text("Row", "[LINE#] [Text]") +
                "</band>"
                "<band kind=\"report-summary\" name=\"S\">" +
                text("Sum", "[COUNT(Rows)] / [SUM([Pracov], Rows)]") + "</band>");
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    EXPECT_EQ(texts(result), QStringList({u"skupina 2"_s, u"1 Svářeč"_s, u"2 Lakýrník"_s, u"2 / 16"_s}));
}

TEST(PrintCondition, ASkippedChildBandStillHandsOnToItsOwnChild)
{
    const auto result = prepare("<band kind=\"master-data\" name=\"Rows\" data-source=\"Assessments\" child=\"A\" "
                                "print-if=\"[Index] = 11\">" +
                                text("Row", "[Text]") +
                                "</band>"
                                "<band kind=\"child\" name=\"A\" child=\"B\" print-if=\"[Pracov] &gt; 100\">" +
                                text("AT", "mnoho") +
                                "</band>"
                                "<band kind=\"child\" name=\"B\" print-if=\"[Zen] = 0\">" +
                                text("BT", "bez žen") + "</band>");
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    EXPECT_EQ(texts(result), QStringList({u"Svářeč"_s, u"bez žen"_s}));
}

TEST(PrintCondition, AConditionThatIsNoTruthValueStopsTheReportNamingTheBand)
{
    const auto result = prepare("<band kind=\"master-data\" name=\"Rows\" data-source=\"Assessments\" "
                                "print-if=\"[Text]\">" +
                                text("Row", "[Text]") + "</band>");
    EXPECT_EQ(result.status, PrepareResult::Status::Failed);
    EXPECT_TRUE(result.error.contains(u"Rows"_s)) << qPrintable(result.error);
    EXPECT_TRUE(result.report.pages.empty());
}

TEST(PrintCondition, TheCallersVariablesAreSeenAndADialogControlOfTheSameNameWins)
{
    ReportCallbacks callbacks;
    callbacks.variables.insert(u"Dokument"_s, u"Závod"_s);
    callbacks.variables.insert(u"Firma"_s, u"z programu"_s);
    const auto result = prepare(
        "<band kind=\"master-data\" name=\"Rows\" data-source=\"1\">" + text("Row", "[Dokument] [Firma]") + "</band>",
        callbacks, "<dialog name=\"D\"><control kind=\"edit\" name=\"Firma\" text=\"z dialogu\"/></dialog>");
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    EXPECT_EQ(texts(result), QStringList({u"Závod z dialogu"_s}));
}
