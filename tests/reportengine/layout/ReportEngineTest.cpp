#include "TestSources.h"

#include "reportengine/layout/ReportEngine.h"
#include "reportengine/model/TemplateXml.h"
#include "reportengine/prepared/PreparedDump.h"
#include "storage/AppError.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::report;
using namespace Qt::StringLiterals;

namespace {

// A template of one master band over `source` printing `text`.
ReportTemplate oneBand(const QString &source, const QString &text, const QByteArray &extra = {})
{
    const QByteArray xml = "<report version=\"1\">" + extra +
                           "<page name=\"P\"><band kind=\"master-data\" name=\"Rows\" height=\"5\" data-source=\"" +
                           source.toUtf8() + "\"><text name=\"Cell\" width=\"100\" height=\"5\"><content>" +
                           text.toHtmlEscaped().toUtf8() + "</content></text></band></page></report>";
    return readTemplateXml(xml, u"test.frf"_s);
}

struct TestRun
{
    test::TestSources sources;
    ReportEngine engine;
    ReportCallbacks callbacks;

    PrepareResult prepare(ReportTemplate t)
    {
        engine.setTemplate(std::move(t));
        for (DataSource *s : sources.all())
            engine.addDataSource(*s);
        engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
        engine.setCallbacks(callbacks);
        return engine.prepare();
    }
};

// Counts how often the layout moves through a source.
class CountingSource : public MemoryDataSource
{
public:
    using MemoryDataSource::MemoryDataSource;
    void moveTo(int record) override
    {
        ++moves;
        MemoryDataSource::moveTo(record);
    }
    long moves = 0;
};

} // namespace

TEST(ReportEngine, ACancelledRunGivesNoReport)
{
    TestRun run;
    std::vector<Progress> seen;
    run.callbacks.progress = [&](const Progress &p) {
        seen.push_back(p);
        return p.record < 3;
    };
    const auto result = run.prepare(oneBand(u"Assessments"_s, u"[Text]"_s));
    EXPECT_EQ(result.status, PrepareResult::Status::Cancelled);
    EXPECT_TRUE(result.report.pages.empty());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].recordCount, 7);
    EXPECT_EQ(seen[0].record, 1);

    // Cancelling the dialog page cancels too, before anything is laid out.
    TestRun dialog;
    dialog.callbacks.showDialog = [](const DialogPage &, QVariantMap &) { return false; };
    const auto cancelled =
        dialog.prepare(oneBand(u"1"_s, u"x"_s, "<dialog name=\"D\"><control kind=\"edit\" name=\"E\"/></dialog>"));
    EXPECT_EQ(cancelled.status, PrepareResult::Status::Cancelled);
}

TEST(ReportEngine, ErrorsStopTheRunAndNameTheObjectTheBandAndTheText)
{
    TestRun unknown;
    const auto r1 = unknown.prepare(oneBand(u"Assessments"_s, u"a [NOSUCHFUNCTION([Pracov])] b"_s));
    EXPECT_EQ(r1.status, PrepareResult::Status::Failed);
    EXPECT_TRUE(r1.report.pages.empty());
    for (const QString &part : {u"Cell"_s, u"Rows"_s, u"NOSUCHFUNCTION"_s})
        EXPECT_TRUE(r1.error.contains(part)) << r1.error.toStdString();

    // The caller's function fails on the fourth record: no half-made report comes back.
    TestRun failing;
    failing.callbacks.function = [](const QString &name, const QStringList &args, const ArgumentEvaluator &eval,
                                    QVariant &result) {
        if (name != "R_MAXKATEGORIE"_L1)
            return false;
        const QString digits = eval(args.value(0)).toString();
        for (const QChar c : digits)
            if (!c.isDigit())
                throw AppError(u"„%1“ není číslo"_s.arg(digits));
        result = digits;
        return true;
    };
    const auto r2 = failing.prepare(oneBand(u"Assessments"_s, u"[R_MAXKATEGORIE([Text])]"_s));
    EXPECT_EQ(r2.status, PrepareResult::Status::Failed);
    EXPECT_TRUE(r2.error.contains(u"Cell"_s) && r2.error.contains(u"Rows"_s) && r2.error.contains(u"Vedoucí"_s))
        << r2.error.toStdString();

    TestRun missing;
    const auto r3 = missing.prepare(oneBand(u"NoSuchSource"_s, u"x"_s));
    EXPECT_TRUE(r3.error.contains(u"NoSuchSource"_s)) << r3.error.toStdString();

    // A variable defined by itself is an error, not an endless recursion.
    TestRun circle;
    const auto r4 = circle.prepare(oneBand(
        u"1"_s, u"[A]"_s, "<variable name=\"A\" expression=\"[B] + 1\"/><variable name=\"B\" expression=\"[A]\"/>"));
    EXPECT_EQ(r4.status, PrepareResult::Status::Failed);
}

TEST(ReportEngine, DialogValuesVariablesAndTheCallersFunctionsReachTheTexts)
{
    TestRun run;
    run.callbacks.showDialog = [](const DialogPage &page, QVariantMap &values) {
        EXPECT_EQ(page.name, u"D"_s);
        EXPECT_EQ(values.value(u"Firma"_s).toString(), u"výchozí"_s);
        EXPECT_EQ(values.value(u"Podpis"_s).toBool(), true);
        values[u"Firma"_s] = u"ACME s.r.o."_s;
        return true;
    };
    QStringList calls;
    run.callbacks.function = [&](const QString &name, const QStringList &args, const ArgumentEvaluator &eval,
                                 QVariant &result) {
        calls << name + u'(' + args.join(u';') + u')';
        if (name != "R_PATH"_L1)
            return false;
        result = u"cesta "_s + eval(args.value(0)).toString();
        return true;
    };
    run.callbacks.input = [](const QString &prompt, const QString &) { return QVariant(prompt + u"!"_s); };
    const auto result = run.prepare(oneBand(
        u"Nodes"_s, u"[Firma]|[IF([Podpis], 'ano', 'ne')]|[R_PATH([UpLink] + 1)]|[Dvojnásobek]|[INPUT('Směna', 'x')]"_s,
        "<variable name=\"Dvojnásobek\" expression=\"[Index] * 2\"/>"
        "<dialog name=\"D\"><control kind=\"edit\" name=\"Firma\" text=\"výchozí\"/>"
        "<control kind=\"check-box\" name=\"Podpis\" checked=\"true\"/></dialog>"));
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    const QString dump = dumpPreparedReport(result.report);
    EXPECT_TRUE(dump.contains(u"\"ACME s.r.o.|ano|cesta 2|4|Směna!\""_s)) << dump.toStdString();
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls.front(), u"R_PATH([UpLink] + 1)"_s);
}

// 10,000 detail records under 1,000 masters: the detail source is read once to index it by
// key, not once per master record.
TEST(ReportEngine, LinkedDetailsAreFoundThroughAnIndexNotAScanPerMaster)
{
    CountingSource masters(u"M"_s, {u"Index"_s});
    CountingSource details(u"D"_s, {u"UpLink"_s, u"N"_s});
    for (int m = 1; m <= 1000; ++m) {
        masters.addRow({m});
        for (int d = 0; d < 10; ++d)
            details.addRow({m, d});
    }
    const QByteArray xml = R"(<report version="1"><page name="P">
      <band kind="master-data" name="Master" height="1" data-source="M"/>
      <band kind="detail-data" name="Detail" height="1" data-source="D" key="UpLink" master-key="Index"/>
      <band kind="report-summary" name="S" height="5"><text name="T" width="50" height="5"><content>[COUNT(Detail)]</content></text></band>
    </page></report>)";
    ReportEngine engine;
    engine.setTemplate(readTemplateXml(xml, u"t.frf"_s));
    engine.addDataSource(masters);
    engine.addDataSource(details);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    const auto result = engine.prepare();
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    EXPECT_LE(details.moves, 3 * 10000);
    EXPECT_TRUE(dumpPreparedReport(result.report).contains(u"\"10000\""_s));
}

// A page footer "page X of Y" (with the caller's variable and a highlight on the last page) is
// filled in after one pass; the pages must be exactly those two full passes give. A footer
// that also reads a field of the records needs the two passes and must give the same too.
TEST(ReportEngine, TotalPagesInAFooterComesOutAsTwoPassesWouldGiveIt)
{
    for (const QString &footer : {u"[Doc]: [PAGE#] z [TOTALPAGES], [COLUMN#] [FormatFloat('0.0', TOTALPAGES / 2)]"_s,
                                  u"[Text] [PAGE#] z [TOTALPAGES]"_s}) {
        ReportTemplate t = oneBand(u"Assessments"_s, u"[Text] [Kat]"_s);
        t.pages[0].paper = PaperSize::Custom;
        t.pages[0].customSizeMm = QSizeF(100, 20);
        t.pages[0].margins = {0, 0, 0, 0};
        Band pageFooter;
        pageFooter.kind = BandKind::PageFooter;
        pageFooter.name = u"Foot"_s;
        pageFooter.height = 6;
        ReportObject text;
        text.name = u"Pages"_s;
        text.rect = QRectF(0, 0, 100, 6);
        TextObject content;
        content.text = footer;
        content.highlight.condition = u"[PAGE#] = [TOTALPAGES]"_s;
        content.highlight.font.bold = true;
        text.content = content;
        pageFooter.objects.push_back(text);
        t.pages[0].bands.push_back(pageFooter);

        TestRun single;
        single.callbacks.variables.insert(u"Doc"_s, u"x.tvo"_s);
        const auto once = single.prepare(t);
        t.doublePass = true;
        TestRun twice;
        twice.callbacks.variables.insert(u"Doc"_s, u"x.tvo"_s);
        const auto again = twice.prepare(t);
        ASSERT_EQ(once.status, PrepareResult::Status::Done) << once.error.toStdString();
        ASSERT_EQ(again.status, PrepareResult::Status::Done) << again.error.toStdString();
        ASSERT_GE(once.report.pages.size(), 3u);
        const QString dump = dumpPreparedReport(once.report);
        EXPECT_EQ(dump, dumpPreparedReport(again.report));
        const QString total = QString::number(once.report.pages.size());
        EXPECT_TRUE(dump.contains(u"1 z "_s + total)) << dump.toStdString();
        EXPECT_TRUE(dump.contains(total + u" z "_s + total)) << dump.toStdString();
    }
}

TEST(ReportEngine, TotalPagesIsKnownOnEveryPage)
{
    TestRun run;
    // Twenty rows of 5 mm on a page whose data area holds 9 of them, before and after the
    // number of pages reaches two digits.
    ReportTemplate t = oneBand(u"30"_s, u"[LINE#] [PAGE#]/[TOTALPAGES]"_s);
    t.pages[0].paper = PaperSize::Custom;
    t.pages[0].customSizeMm = QSizeF(100, 40);
    t.pages[0].margins = {0, 0, 0, 0};
    t.pages[0].bands[0].height = 20;
    const auto result = run.prepare(t);
    ASSERT_EQ(result.status, PrepareResult::Status::Done);
    ASSERT_EQ(result.report.pages.size(), 15u);
    const QString dump = dumpPreparedReport(result.report);
    EXPECT_TRUE(dump.contains(u"\"1 1/15\""_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"\"30 15/15\""_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"\"3 2/15\""_s)) << "a row that moved on shows the page it is on";
}

// The number of pages read only by an object's print condition or a highlight still makes the
// pages be counted first.
TEST(ReportEngine, TotalPagesInAConditionIsCountedToo)
{
    const auto fifteenPages = [](ReportTemplate t) {
        t.pages[0].paper = PaperSize::Custom;
        t.pages[0].customSizeMm = QSizeF(100, 40);
        t.pages[0].margins = {0, 0, 0, 0};
        t.pages[0].bands[0].height = 20;
        return t;
    };
    {
        TestRun run;
        ReportTemplate t = fifteenPages(oneBand(u"30"_s, u"řádek [LINE#]"_s));
        t.pages[0].bands[0].objects[0].printIf = u"[PAGE#] = [TOTALPAGES]"_s;
        const auto result = run.prepare(t);
        ASSERT_EQ(result.status, PrepareResult::Status::Done);
        ASSERT_EQ(result.report.pages.size(), 15u);
        const QString dump = dumpPreparedReport(result.report);
        EXPECT_TRUE(dump.contains(u"\"řádek 30\""_s)) << dump.toStdString();
        EXPECT_FALSE(dump.contains(u"\"řádek 1\""_s)) << dump.toStdString();
    }
    {
        TestRun run;
        ReportTemplate t = fifteenPages(oneBand(u"30"_s, u"řádek [LINE#]"_s));
        auto &text = std::get<TextObject>(t.pages[0].bands[0].objects[0].content);
        text.highlight.condition = u"[PAGE#] = [TOTALPAGES]"_s;
        text.highlight.font.bold = true;
        ReportTemplate plain = t;
        std::get<TextObject>(plain.pages[0].bands[0].objects[0].content).highlight.condition.clear();
        const auto highlighted = run.prepare(t);
        TestRun other;
        const auto unhighlighted = other.prepare(plain);
        ASSERT_EQ(highlighted.status, PrepareResult::Status::Done);
        EXPECT_NE(dumpPreparedReport(highlighted.report).toStdString(),
                  dumpPreparedReport(unhighlighted.report).toStdString())
            << "the last page's rows are highlighted";
    }
}

// Rich text converted from RTF or written by an HTML editor escapes what its expressions hold:
// they still run, and what they print cannot break the markup.
TEST(ReportEngine, RichTextExpressionsWorkThroughHtmlEscapes)
{
    TestRun run;
    ReportTemplate t = oneBand(u"2"_s, u""_s);
    t.pages[0].bands[0].objects[0].content =
        RichTextObject {u"<p>[IF([LINE#] &lt; 2, &apos;A &amp; B&apos;, &apos;&lt;C&gt;&apos;)] "
                        u"[SUM([LINE#])]</p>"_s};
    const auto result = run.prepare(t);
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    const QString dump = dumpPreparedReport(result.report);
    EXPECT_TRUE(dump.contains(u"<p>A &amp; B"_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"<p>&lt;C&gt;"_s)) << dump.toStdString();
}

// A pure function of the caller asked the same in a text and its highlight is called once per
// record, and never answers for another record (the band's print-if condition, evaluated
// between records, asks again).
TEST(ReportEngine, APureFunctionIsCalledOncePerBandAndRecord)
{
    TestRun run;
    int calls = 0;
    run.callbacks.pureFunctions << u"DOUBLE"_s;
    run.callbacks.function = [&](const QString &name, const QStringList &args, const ArgumentEvaluator &evaluate,
                                 QVariant &result) {
        if (name != u"DOUBLE"_s)
            return false;
        ++calls;
        result = evaluate(args.at(0)).toInt() * 2;
        return true;
    };
    ReportTemplate t = oneBand(u"Assessments"_s, u"[Text] [DOUBLE([Kat])]"_s);
    auto &cell = std::get<TextObject>(t.pages[0].bands[0].objects[0].content);
    cell.highlight.condition = u"DOUBLE([Kat]) >= 6"_s;
    cell.highlight.font.bold = true;
    t.pages[0].bands[0].printIf = u"DOUBLE([Kat]) > 2"_s;
    const auto result = run.prepare(t);
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    const QString dump = dumpPreparedReport(result.report);
    EXPECT_TRUE(dump.contains(u"\"Svářeč 6\""_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"\"Brusič 4\""_s)) << dump.toStdString();
    EXPECT_FALSE(dump.contains(u"Vedoucí"_s));
    // Seven conditions, then the six printed records once each for the text and its highlight.
    EXPECT_EQ(calls, 7 + 6);
}

// A text that suppresses repeats prints empty while its text stays the same from one record to
// the next; the pass that only counts pages (TOTALPAGES) does not take its memory away.
TEST(ReportEngine, SuppressedRepeatsPrintEmptyUntilTheTextChanges)
{
    for (const char *extra :
         {"", "<text name=\"Total\" x=\"110\" width=\"20\" height=\"5\"><content>[TOTALPAGES]</content></text>"}) {
        const QByteArray xml =
            QByteArray("<report version=\"1\"><page name=\"P\"><band kind=\"master-data\" name=\"Rows\" "
                       "height=\"5\" data-source=\"Assessments\"><text name=\"Up\" width=\"100\" "
                       "height=\"5\" suppress-repeated=\"true\"><content>uzel [UpLink]</content></text>") +
            extra + "</band></page></report>";
        TestRun run;
        const PrepareResult result = run.prepare(readTemplateXml(xml, u"test.frf"_s));
        ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
        QStringList printed;
        for (const PreparedItem &item : result.report.pages.at(0).items)
            if (const auto *text = std::get_if<TextItem>(&item); text && text->rect.left() < 100)
                printed << text->text;
        EXPECT_EQ(printed,
                  QStringList({u"uzel 1"_s, u"uzel 2"_s, QString(), QString(), u"uzel 3"_s, QString(), QString()}))
            << extra;
    }
}

namespace {

// Two report pages of rows over `first` and `second`, each with a page footer printing `footer`.
ReportTemplate twoPages(const QString &first, const QString &second, const QString &footer)
{
    const auto page = [&](const char *name, const QString &source) {
        return "<page name=\"" + QByteArray(name) +
               "\" paper=\"custom\" width=\"100\" height=\"30\" margin-left=\"0\" margin-top=\"0\" "
               "margin-right=\"0\" margin-bottom=\"0\"><band kind=\"master-data\" name=\"Rows" +
               name + "\" height=\"5\" data-source=\"" + source.toUtf8() + "\"><text name=\"Cell" + name +
               "\" width=\"100\" height=\"5\"><content>[LINE#] [PAGE#]</content></text></band>"
               "<band kind=\"page-footer\" name=\"Foot" +
               name + "\" height=\"5\"><text name=\"Pages" + name + "\" width=\"100\" height=\"5\"><content>" +
               footer.toHtmlEscaped().toUtf8() + "</content></text></band></page>";
    };
    return readTemplateXml("<report version=\"1\">" + page("A", first) + page("B", second) + "</report>",
                           u"test.frf"_s);
}

} // namespace

// Progress counts the records of every printed page against their sum, sheets numbered on;
// cancelling on the second page gives no report.
TEST(ReportEngine, ProgressAndCancellingRunOverEveryPage)
{
    TestRun run;
    std::vector<Progress> seen;
    run.callbacks.progress = [&](const Progress &p) {
        seen.push_back(p);
        return true;
    };
    const auto result = run.prepare(twoPages(u"Assessments"_s, u"Nodes"_s, u"[PAGE#]"_s));
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    ASSERT_EQ(seen.size(), 11u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].recordCount, 11);
        EXPECT_EQ(seen[i].record, int(i) + 1);
    }
    // Five rows a sheet: seven assessments on two sheets, then four nodes on a third.
    EXPECT_EQ(seen[6].page, 2);
    EXPECT_EQ(seen[7].page, 3);
    ASSERT_EQ(result.report.pages.size(), 3u);

    TestRun cancelled;
    cancelled.callbacks.progress = [](const Progress &p) { return p.record < 9; };
    const auto none = cancelled.prepare(twoPages(u"Assessments"_s, u"Nodes"_s, u"[PAGE#]"_s));
    EXPECT_EQ(none.status, PrepareResult::Status::Cancelled);
    EXPECT_TRUE(none.report.pages.empty());
}

// "Page X of Y" over two report pages: the single pass with the totals filled in afterwards and
// the two full passes give the same sheets, counted over the whole report, and a row that moves
// to the next sheet shows that sheet's number.
TEST(ReportEngine, TotalPagesCountsTheSheetsOfEveryPage)
{
    for (const QString &footer : {u"[PAGE#] z [TOTALPAGES]"_s, u"[Text] [PAGE#] z [TOTALPAGES]"_s}) {
        ReportTemplate t = twoPages(u"Assessments"_s, u"Nodes"_s, footer);
        TestRun single;
        const auto once = single.prepare(t);
        t.doublePass = true;
        TestRun twice;
        const auto again = twice.prepare(t);
        ASSERT_EQ(once.status, PrepareResult::Status::Done) << once.error.toStdString();
        ASSERT_EQ(again.status, PrepareResult::Status::Done) << again.error.toStdString();
        const QString dump = dumpPreparedReport(once.report);
        EXPECT_EQ(dump, dumpPreparedReport(again.report));
        EXPECT_TRUE(dump.contains(u"1 z 3\""_s)) << dump.toStdString();
        EXPECT_TRUE(dump.contains(u"3 z 3\""_s)) << dump.toStdString();
        EXPECT_TRUE(dump.contains(u"\"6 2\""_s)) << "the sixth assessment moved to sheet 2";
        EXPECT_TRUE(dump.contains(u"\"1 3\""_s)) << "the nodes start on sheet 3, LINE# from 1";
    }
}
