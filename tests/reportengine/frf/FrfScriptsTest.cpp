// Scripts are kept and never run; the few that say exactly what a feature of ours does are
// carried over, and nothing more.
#include "FrfBytes.h"

#include "reportengine/frf/FrfScripts.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/model/TemplateXml.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::frf;
using ergotab::test::FrfBytes;

namespace {

TEST(FrfScripts, UnderstandsOnlyExactIdioms)
{
    const auto visibleWhen = [](const char *script) -> QString {
        const auto m = understandScript(QString::fromUtf8(script));
        return m ? m->visibleWhen : QStringLiteral("<not understood>");
    };
    EXPECT_EQ(visibleWhen("Visible := [Pracov] > 0"), QStringLiteral("[Pracov] > 0"));
    EXPECT_EQ(visibleWhen("begin\n  if [A] = 0 then Visible := False else Visible := True; // hide zeros\nend"),
              QStringLiteral("NOT ([A] = 0)"));
    EXPECT_EQ(visibleWhen("if ([A] = 1) or ([B] = 2) then visible := true else visible := false"),
              QStringLiteral("([A] = 1) or ([B] = 2)"));
    // Without else the value would carry over to later records: not the same thing.
    EXPECT_EQ(visibleWhen("if [A] = 0 then Visible := False"), QStringLiteral("<not understood>"));
    EXPECT_EQ(visibleWhen("if [A] = 0 then Visible := False else Visible := False"),
              QStringLiteral("<not understood>"));
    EXPECT_EQ(visibleWhen("FillColor := clRed"), QStringLiteral("<not understood>"));
    EXPECT_EQ(visibleWhen("Memo1.Visible := False"), QStringLiteral("<not understood>"));
    EXPECT_EQ(visibleWhen("while [A] < 3 do Inc(x)"), QStringLiteral("<not understood>"));

    const auto m = understandScript(QStringLiteral("Sazba := [Cena] * 1,21; { comment } Popis := 'a;b'"));
    ASSERT_TRUE(m);
    ASSERT_EQ(m->assignments.size(), 2u);
    EXPECT_EQ(m->assignments[0], std::make_pair(QStringLiteral("Sazba"), QStringLiteral("[Cena] * 1,21")));
    EXPECT_EQ(m->assignments[1].second, QStringLiteral("'a;b'"));
    EXPECT_FALSE(understandScript(QStringLiteral("Total := Total + [Castka]"))) << "a running total";
}

TEST(FrfScripts, CarriedOverWhereExact)
{
    FrfBytes b(24);
    b.header().page(FrfBytes::Page());
    FrfBytes::Common title;
    title.name = "Title";
    title.height = 100;
    title.script = {"Visible := [PAGE#] = 1"};
    b.bandObject(title, 0);
    FrfBytes::Common data;
    data.name = "Data";
    data.y = 200;
    data.height = 100;
    data.formatStr = "Data";
    data.script = {"Visible := [A] > 0"}; // a data band: sums would differ
    b.bandObject(data, 5);
    FrfBytes::Common shown;
    shown.name = "Shown";
    shown.y = 10;
    shown.script = {"if [A] = 0 then Visible := False else Visible := True"};
    b.memoObject(shown);
    FrfBytes::Common setter;
    setter.name = "Setter";
    setter.y = 210;
    setter.script = {"Sazba := [Cena] * 2"};
    b.memoObject(setter);
    FrfBytes::Common total;
    total.name = "Total";
    total.y = 220;
    total.script = {"Suma := [B]", "Barva := 1"};
    b.memoObject(total);
    FrfBytes::Common again;
    again.name = "Again";
    again.y = 230;
    again.script = {"begin Barva := 2; FillColor := clRed end"};
    b.memoObject(again);

    const FrfTemplate t = loadFrfTemplate(b.bytes, QStringLiteral("scripts.frf"));
    const ReportPage &p = t.report.pages.at(0);
    ASSERT_EQ(p.bands.size(), 2u);
    EXPECT_EQ(p.bands[0].printIf, QStringLiteral("[PAGE#] = 1"));
    EXPECT_EQ(p.bands[0].script, QStringLiteral("Visible := [PAGE#] = 1")) << "the script is kept";
    EXPECT_TRUE(p.bands[1].printIf.isEmpty());
    ASSERT_EQ(p.bands[0].objects.size(), 1u);
    EXPECT_EQ(p.bands[0].objects[0].printIf, QStringLiteral("NOT ([A] = 0)"));
    // Sazba is set in one place only; Barva in two, so the script setting it stays a script.
    ASSERT_EQ(t.report.variables.size(), 1u);
    EXPECT_EQ(t.report.variables[0].name, QStringLiteral("Sazba"));
    EXPECT_EQ(t.report.variables[0].expression, QStringLiteral("[Cena] * 2"));
    EXPECT_EQ(t.warnings.filter(QStringLiteral("skript")).size(), 6) << qPrintable(t.warnings.join(u'\n'));
    // Our own format keeps the condition and the scripts.
    const ReportTemplate saved = readTemplateXml(writeTemplateXml(t.report), QStringLiteral("saved.frf"));
    EXPECT_EQ(saved.pages.at(0).bands.at(0).objects.at(0).printIf, QStringLiteral("NOT ([A] = 0)"));
    EXPECT_EQ(saved.pages.at(0).bands.at(1).objects.at(2).script,
              QStringLiteral("begin Barva := 2; FillColor := clRed end"));
}

} // namespace
