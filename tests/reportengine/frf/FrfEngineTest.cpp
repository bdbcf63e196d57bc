// A template of the earlier engine run by ours: laid out over records in memory, written as a
// PDF and read back through pdftotext; a sample's pages compared with what its design says.
#include "FrfBytes.h"
#include "FrfSamples.h"

#include "reportengine/data/MemoryDataSource.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/layout/ReportEngine.h"
#include "reportengine/prepared/PreparedDump.h"
#include "reportengine/render/ReportExporter.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace ergotab::report;
using ergotab::test::FrfBytes;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(30000));
    return QString::fromUtf8(text.readAllStandardOutput());
}

// The prepared pages as text, with fixed letter widths, against the expected dump kept beside
// the samples' JSON (ERGOTAB_UPDATE_GOLDEN=1 writes it anew: look at the diff before committing).
void expectLayout(const ReportTemplate &t, const std::vector<DataSource *> &sources, const QString &expectedName)
{
    ReportEngine engine;
    engine.setTemplate(t);
    for (DataSource *s : sources)
        engine.addDataSource(*s);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    const PrepareResult result = engine.prepare();
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    // ERGOTAB_FRF_PDF_DIR=DIR also writes the pages as a PDF there, to be looked at.
    if (const QString dir = qEnvironmentVariable("ERGOTAB_FRF_PDF_DIR"); !dir.isEmpty())
        exportReport(result.report, dir + u'/' + expectedName + QStringLiteral(".pdf"));
    QString actual = dumpPreparedReport(result.report);
    for (const QString &w : result.warnings)
        actual += QStringLiteral("warning: ") + w + u'\n';
    QFile expected(QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/frf-golden/") + expectedName);
    if (qEnvironmentVariableIsSet("ERGOTAB_UPDATE_GOLDEN")) {
        ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
        expected.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << qPrintable(expected.fileName());
    const QStringList want = QString::fromUtf8(expected.readAll()).split(u'\n');
    const QStringList got = actual.split(u'\n');
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i)
        ASSERT_EQ(i < got.size() ? got[i] : QStringLiteral("(end)"),
                  i < want.size() ? want[i] : QStringLiteral("(end)"))
            << "line " << i + 1 << " of " << qPrintable(expectedName);
}

frf::FrfTemplate sampleTemplate(const QString &path)
{
    return frf::loadFrfTemplate(ergotab::test::frfSample(path), path);
}

PrepareResult prepare(const ReportTemplate &t, DataSource &source)
{
    ReportEngine engine;
    engine.setTemplate(t);
    engine.addDataSource(source);
    return engine.prepare();
}

TEST(FrfEngine, BuiltTemplateToPdf)
{
    FrfBytes b(24);
    b.header();
    FrfBytes::Page page;
    page.margins[0] = page.margins[1] = 36;
    b.page(page);
    FrfBytes::Common title;
    title.name = "Title";
    title.y = 40;
    title.width = 752;
    title.height = 30;
    b.bandObject(title, 0);
    FrfBytes::Common data = title;
    data.name = "Data";
    data.y = 100;
    data.formatStr = "Prace";
    b.bandObject(data, 5);
    FrfBytes::Common heading;
    heading.name = "Heading";
    heading.x = 40;
    heading.y = 45;
    heading.width = 400;
    heading.memo = {"Seznam pr\xE1"
                    "c"}; // windows-1250
    FrfBytes::Memo big;
    big.size = 14;
    big.style = 2;
    b.memoObject(heading, big);
    FrfBytes::Common row = heading;
    row.name = "Row";
    row.y = 105;
    row.memo = {"[LINE#]. [Prace.\"Text\"]: [Pracov] zam."};
    b.memoObject(row);
    FrfBytes::Common many = heading;
    many.name = "Many";
    many.x = 450;
    many.y = 105;
    many.width = 200;
    many.memo = {"hodn\xEC"};
    many.script = {"if [Pracov] > 10 then Visible := True else Visible := False"};
    b.memoObject(many);
    const frf::FrfTemplate t = frf::loadFrfTemplate(b.bytes, QStringLiteral("seznam.frf"));

    MemoryDataSource prace(QStringLiteral("Prace"), {QStringLiteral("Text"), QStringLiteral("Pracov")});
    prace.addRow({QStringLiteral("Lakýrník"), 14});
    prace.addRow({QStringLiteral("Účetní"), 5});
    const PrepareResult result = prepare(t.report, prace);
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    ergotab::test::TempDir dir;
    const QString pdf = dir.file(QStringLiteral("seznam.pdf"));
    exportReport(result.report, pdf);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Seznam prác"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("1. Lakýrník: 14 zam."))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("2. Účetní: 5 zam."))) << qPrintable(text);
    EXPECT_EQ(text.count(QStringLiteral("hodně")), 1) << "shown only where the script's condition holds";
}

// FreeReport's DOC1 (a client list on a two-column page, "Page n of m" at the foot) over three clients:
// the prepared page holds what its design says, where it says it.
TEST(FrfEngine, SampleLaidOutAsDesigned)
{
    const QString path = QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC1.FRF");
    frf::FrfTemplate t = frf::loadFrfTemplate(ergotab::test::frfSample(path), path);
    // Its band reads a Delphi component that its fields call CustomerData.Customers.
    for (Band &band : t.report.pages.at(0).bands)
        if (band.dataSource == QStringLiteral("CustomersDataSet"))
            band.dataSource = QStringLiteral("Customers");
    MemoryDataSource customers(QStringLiteral("Customers"),
                               {QStringLiteral("Company"), QStringLiteral("Addr1"), QStringLiteral("Contact"),
                                QStringLiteral("Phone"), QStringLiteral("FAX")});
    customers.addRow({QStringLiteral("Kauai Dive Shoppe"), QStringLiteral("4-976 Sugarloaf Hwy"),
                      QStringLiteral("Erica Norman"), QStringLiteral("808-555-0269"), QStringLiteral("808-555-0278")});
    customers.addRow({QStringLiteral("Unisco"), QStringLiteral("PO Box Z-547"), QStringLiteral("George Weathers"),
                      QStringLiteral("809-555-3915"), QStringLiteral("809-555-4958")});
    customers.addRow({QStringLiteral("Sight Diver"), QStringLiteral("1 Neptune Lane"),
                      QStringLiteral("Phyllis Spooner"), QStringLiteral("357-6-876708"),
                      QStringLiteral("357-6-870943")});
    const PrepareResult result = prepare(t.report, customers);
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    ASSERT_EQ(result.report.pages.size(), 1u);
    std::map<QString, QRectF> placed;
    for (const PreparedItem &item : result.report.pages[0].items)
        if (const auto *text = std::get_if<TextItem>(&item))
            placed.emplace(text->text, text->rect);
    ASSERT_TRUE(placed.count(QStringLiteral("Clients")));
    ASSERT_TRUE(placed.count(QStringLiteral("Page 1 of 1")));
    ASSERT_TRUE(placed.count(QStringLiteral("Kauai Dive Shoppe")));
    ASSERT_TRUE(placed.count(QStringLiteral("Sight Diver")));
    // The title across the top, the records below it, the page footer at the bottom.
    EXPECT_LT(placed[QStringLiteral("Clients")].bottom(), placed[QStringLiteral("Kauai Dive Shoppe")].top());
    EXPECT_GT(placed[QStringLiteral("Page 1 of 1")].top(), 250.0);
    // Page columns fill downwards: three records stay in the first, one band's height apart.
    const double bandHeight = t.report.pages[0].bands[1].height;
    EXPECT_NEAR(placed[QStringLiteral("Unisco")].top() - placed[QStringLiteral("Kauai Dive Shoppe")].top(), bandHeight,
                0.01);
    EXPECT_NEAR(placed[QStringLiteral("Sight Diver")].top() - placed[QStringLiteral("Unisco")].top(), bandHeight, 0.01);
    EXPECT_NEAR(placed[QStringLiteral("Sight Diver")].left(), placed[QStringLiteral("Kauai Dive Shoppe")].left(), 0.01);
}

// FreeReport's 1.FRF has two memos and no band at all: they stand on the page where the design
// puts them (the page's own corner plus their place), in the order of the file.
TEST(FrfEngine, ObjectsOutsideEveryBandArePrintedWhereTheyStand)
{
    const QString path = QStringLiteral("FastReports-FreeReport/Demos/REPORTS/1.FRF");
    const frf::FrfTemplate t = frf::loadFrfTemplate(ergotab::test::frfSample(path), path);
    const ReportPage &page = t.report.pages.at(0);
    ASSERT_TRUE(page.bands.empty());
    ASSERT_EQ(page.objects.size(), 2u);
    MemoryDataSource none(QStringLiteral("Nic"), {QStringLiteral("X")});
    const PrepareResult result = prepare(t.report, none);
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    ASSERT_EQ(result.report.pages.size(), 1u);
    std::vector<const TextItem *> texts;
    for (const PreparedItem &item : result.report.pages[0].items)
        if (const auto *text = std::get_if<TextItem>(&item))
            texts.push_back(text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, QStringLiteral("Company"));
    for (size_t i = 0; i < 2; ++i) {
        const QRectF want = page.objects[i].rect.translated(page.margins.left, page.margins.top);
        EXPECT_NEAR(texts[i]->rect.left(), want.left(), 0.01) << i;
        EXPECT_NEAR(texts[i]->rect.top(), want.top(), 0.01) << i;
        EXPECT_NEAR(texts[i]->rect.width(), want.width(), 0.01) << i;
    }
    // 16 px from the paper's left edge, 76 px from its top, whatever the margins became.
    EXPECT_NEAR(texts[0]->rect.left(), 16 * 25.4 * 1.022 / 93, 0.01);
    EXPECT_NEAR(texts[0]->rect.top(), 76 * 25.4 * 1.015 / 93, 0.01);
}

// FreeReport's DOC3: customers, their orders and the orders' items (master, detail and
// subdetail with a header and footers), the footers summing the items of their band. The
// links between the data sets lived in Delphi components; here the keys say them.
TEST(FrfEngine, MasterDetailSampleLaidOutAsExpected)
{
    frf::FrfTemplate t = sampleTemplate(QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC3.FRF"));
    for (Band &band : t.report.pages.at(0).bands) {
        if (band.dataSource == QStringLiteral("CustomersDataSet")) {
            band.dataSource = QStringLiteral("Customers");
        } else if (band.dataSource == QStringLiteral("OrdersDataSet")) {
            band.dataSource = QStringLiteral("Orders");
            band.key = QStringLiteral("Orders.\"CustNo\"");
            band.masterKey = QStringLiteral("Customers.\"CustNo\"");
        } else if (band.dataSource == QStringLiteral("ItemsDataSet")) {
            band.dataSource = QStringLiteral("LineItems");
            band.key = QStringLiteral("LineItems.\"OrderNo\"");
            band.masterKey = QStringLiteral("Orders.\"OrderNo\"");
        }
    }
    MemoryDataSource customers(QStringLiteral("Customers"), {QStringLiteral("CustNo"), QStringLiteral("Company"),
                                                             QStringLiteral("Phone"), QStringLiteral("FAX")});
    customers.addRow(
        {1221, QStringLiteral("Kauai Dive Shoppe"), QStringLiteral("808-555-0269"), QStringLiteral("808-555-0278")});
    customers.addRow({1231, QStringLiteral("Unisco"), QStringLiteral("809-555-3915"), QStringLiteral("809-555-4958")});
    MemoryDataSource orders(QStringLiteral("Orders"),
                            {QStringLiteral("OrderNo"), QStringLiteral("CustNo"), QStringLiteral("SaleDate")});
    orders.addRow({1023, 1221, QDate(1988, 7, 1)});
    orders.addRow({1076, 1221, QDate(1994, 12, 16)});
    orders.addRow({1060, 1231, QDate(1989, 2, 28)});
    MemoryDataSource items(QStringLiteral("LineItems"),
                           {QStringLiteral("OrderNo"), QStringLiteral("PartNo"), QStringLiteral("PartName"),
                            QStringLiteral("Price"), QStringLiteral("Qty"), QStringLiteral("Total")});
    items.addRow({1023, 900, QStringLiteral("Dive kayak"), 1356.75, 1, 1356.75});
    items.addRow({1023, 1313, QStringLiteral("Regulator System"), 250.0, 2, 500.0});
    items.addRow({1076, 12310, QStringLiteral("Wet Suit"), 120.5, 3, 361.5});
    items.addRow({1060, 1390, QStringLiteral("First Stage Regulator"), 200.0, 1, 200.0});
    items.addRow({1060, 2314, QStringLiteral("Maui Dive Guide"), 15.0, 4, 60.0});
    expectLayout(t.report, {&customers, &orders, &items}, QStringLiteral("DOC3.FRF.pages.txt"));
}

// FreeReport's DOC10: twenty numbered rows without data, each printing two other pages of the
// template side by side as subreports (six and four numbered lines), which are not printed on
// their own; the page header and footer hold only frames.
TEST(FrfEngine, SubreportSampleLaidOutAsExpected)
{
    const frf::FrfTemplate t = sampleTemplate(QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC10.FRF"));
    expectLayout(t.report, {}, QStringLiteral("DOC10.FRF.pages.txt"));
}

} // namespace
