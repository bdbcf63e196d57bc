// A template of the earlier engine run by ours: laid out over records in memory, written as a
// PDF and read back through pdftotext; a sample's pages compared with what its design says.
#include "FrfBytes.h"
#include "FrfSamples.h"

#include "reportengine/data/MemoryDataSource.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/layout/ReportEngine.h"
#include "reportengine/render/ReportExporter.h"
#include "tests/support/TempDir.h"

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
    // 16 px from the left edge of the design, 76 px from its top.
    EXPECT_NEAR(page.objects[0].rect.left(), 16 * 25.4 * 1.022 / 93, 0.01);
    EXPECT_NEAR(page.objects[0].rect.top(), 76 * 25.4 * 1.015 / 93, 0.01);
}

} // namespace
