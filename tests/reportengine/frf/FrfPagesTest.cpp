// Templates of the earlier engine with several report pages, run by ours: every page printed in
// turn on sheets of its own, except those printed inside a subreport.
#include "FrfSamples.h"

#include "reportengine/data/MemoryDataSource.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/layout/ReportEngine.h"

#include <gtest/gtest.h>

using namespace ergotab::report;

namespace {

std::vector<QString> textsOn(const PreparedPage &page)
{
    std::vector<QString> texts;
    for (const PreparedItem &item : page.items)
        if (const auto *text = std::get_if<TextItem>(&item))
            texts.push_back(text->text);
    return texts;
}

bool holds(const std::vector<QString> &texts, const QString &text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// FreeReport's DOC12: a first page holding only a framed "Clients list" outside every band, then
// a page listing the clients with "Page n of m" at its foot (the file asks for two passes).
TEST(FrfPages, TitlePageThenDataPage)
{
    const QString path = QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC12.FRF");
    frf::FrfTemplate t = frf::loadFrfTemplate(ergotab::test::frfSample(path), path);
    ASSERT_EQ(t.report.pages.size(), 2u);
    for (Band &band : t.report.pages.at(1).bands)
        if (band.dataSource == QStringLiteral("CustomersDataSet"))
            band.dataSource = QStringLiteral("Customers");
    MemoryDataSource customers(QStringLiteral("Customers"),
                               {QStringLiteral("Company"), QStringLiteral("Addr1"), QStringLiteral("Contact"),
                                QStringLiteral("Phone"), QStringLiteral("FAX")});
    for (int i = 1; i <= 60; ++i)
        customers.addRow({QStringLiteral("Firma %1").arg(i), QStringLiteral("Ulice %1").arg(i),
                          QStringLiteral("Osoba %1").arg(i), QStringLiteral("555-%1").arg(i), QString()});
    ReportEngine engine;
    engine.setTemplate(t.report);
    engine.addDataSource(customers);
    const PrepareResult result = engine.prepare();
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    // Sixty rows of 5.5 mm need a second A4 sheet for the list.
    ASSERT_EQ(result.report.pages.size(), 3u);
    const auto title = textsOn(result.report.pages[0]);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0], QStringLiteral("Clients list"));
    const auto first = textsOn(result.report.pages[1]);
    EXPECT_TRUE(holds(first, QStringLiteral("Clients")));
    EXPECT_TRUE(holds(first, QStringLiteral("Firma 1")));
    EXPECT_TRUE(holds(first, QStringLiteral("Page 2 of 3")));
    const auto last = textsOn(result.report.pages[2]);
    EXPECT_FALSE(holds(last, QStringLiteral("Clients"))) << "the title only on the page's first sheet";
    EXPECT_TRUE(holds(last, QStringLiteral("Firma 60")));
    EXPECT_TRUE(holds(last, QStringLiteral("Page 3 of 3")));
    for (const PreparedPage &page : result.report.pages)
        EXPECT_EQ(page.sizeMm, QSizeF(210.0, 297.0));
}

// FreeReport's DOC10: twenty rows, each with two subreports naming the other two pages (six and
// four numbered lines). Those pages come only inside the rows, never on sheets of their own.
TEST(FrfPages, SubreportPagesPrintOnlyInsideTheirSubreports)
{
    const QString path = QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC10.FRF");
    const frf::FrfTemplate t = frf::loadFrfTemplate(ergotab::test::frfSample(path), path);
    ASSERT_EQ(t.report.pages.size(), 3u);
    MemoryDataSource none(QStringLiteral("Nic"), {QStringLiteral("X")});
    ReportEngine engine;
    engine.setTemplate(t.report);
    engine.addDataSource(none);
    const PrepareResult result = engine.prepare();
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << qPrintable(result.error);
    std::map<QRgb, int> byFill;
    for (const PreparedPage &page : result.report.pages)
        for (const PreparedItem &item : page.items)
            if (const auto *text = std::get_if<TextItem>(&item); text && text->fill.alpha() > 0)
                ++byFill[text->fill.rgb()];
    EXPECT_EQ(byFill[qRgb(0xc0, 0xc0, 0xc0)], 20);
    EXPECT_EQ(byFill[qRgb(0xff, 0xff, 0x00)], 20 * 6);
    EXPECT_EQ(byFill[qRgb(0x00, 0xff, 0x00)], 20 * 4);
}

} // namespace
