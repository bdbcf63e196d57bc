// Every public sample template: read to its last byte with the page and object counts its
// README lists, described as the golden JSON for a few, and cut short at every byte without
// a crash.
#include "FrfSamples.h"

#include "reportengine/frf/FrfInfo.h"
#include "reportengine/model/TemplateLoader.h"
#include "storage/AppError.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <map>

using namespace ergotab;
using namespace ergotab::report::frf;
using ergotab::test::allFrfSamples;
using ergotab::test::frfSample;

namespace {

struct Counts
{
    int pages;
    int objects;
    bool dataManager;
};

// As the samples' README lists them.
const std::map<QString, Counts> &expectedCounts()
{
    static const std::map<QString, Counts> counts {
        {QStringLiteral("FastReports-FreeReport/Demos/CNVREPS/fmt22.frf"), {1, 16, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/CNVREPS/fmt2217.frf"), {1, 20, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/CNVREPS/fmt23.frf"), {1, 18, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/ENDUSER/1.FRF"), {1, 18, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/ENDUSER/2.FRF"), {1, 17, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/ENDUSER/3.FRF"), {1, 17, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/ENDUSER/4.FRF"), {1, 5, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/ENDUSER/5.FRF"), {1, 5, true}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/1.FRF"), {1, 2, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/123.frf"), {1, 20, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/2.FRF"), {1, 17, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC0.FRF"), {1, 17, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC1.FRF"), {1, 16, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC10.FRF"), {3, 12, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC11.FRF"), {1, 14, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC12.FRF"), {2, 17, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC2.FRF"), {1, 20, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC3.FRF"), {1, 37, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC4.FRF"), {1, 11, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC5.FRF"), {1, 11, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC6.FRF"), {1, 10, false}},
        {QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC8.FRF"), {1, 10, false}},
        {QStringLiteral("michalgw-hbfr/test/demo1.frf"), {1, 10, false}},
        {QStringLiteral("michalgw-hbfr/test/test2.frf"), {1, 16, false}},
        {QStringLiteral("michalgw-hbfr/test/test3.frf"), {1, 24, false}},
        {QStringLiteral("michalgw-hbfr/test/test4.frf"), {1, 22, false}},
    };
    return counts;
}

TEST(FrfSamples, EachLoadsWithItsCounts)
{
    const QStringList samples = allFrfSamples();
    ASSERT_EQ(samples.size(), int(expectedCounts().size()));
    for (const QString &path : samples) {
        SCOPED_TRACE(path.toStdString());
        const auto expected = expectedCounts().find(path);
        ASSERT_NE(expected, expectedCounts().end());
        FrfTemplate t;
        ASSERT_NO_THROW(t = loadFrfTemplate(frfSample(path), path));
        EXPECT_EQ(int(t.file.pages.size()), expected->second.pages);
        EXPECT_EQ(int(t.file.objects.size()), expected->second.objects);
        EXPECT_EQ(t.file.dataManager, expected->second.dataManager);
        // Every band of the file is a band of the template, every page a page.
        int bands = 0;
        for (const FrfObject &o : t.file.objects)
            bands += o.type == int(ObjectType::Band);
        int converted = 0;
        for (const auto &page : t.report.pages)
            converted += int(page.bands.size());
        EXPECT_EQ(converted, bands);
        EXPECT_EQ(int(t.report.pages.size() + t.report.dialogs.size()), expected->second.pages);
    }
}

TEST(FrfSamples, DialectsAreToldApart)
{
    const auto dialect = [](const char *path) { return readFrf(frfSample(QString::fromLatin1(path))).header.dialect; };
    EXPECT_EQ(dialect("FastReports-FreeReport/Demos/CNVREPS/fmt22.frf"), Dialect::Fr22);
    EXPECT_EQ(dialect("FastReports-FreeReport/Demos/CNVREPS/fmt2217.frf"), Dialect::FreeReport2217);
    EXPECT_EQ(dialect("FastReports-FreeReport/Demos/CNVREPS/fmt23.frf"), Dialect::Fr23);
}

// The JSON of template-info, kept in tests/data/frf-golden; ERGOTAB_UPDATE_GOLDEN=1 rewrites it.
TEST(FrfSamples, GoldenDescriptions)
{
    const QString goldenDir = QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/frf-golden/");
    const bool update = qEnvironmentVariableIsSet("ERGOTAB_UPDATE_GOLDEN");
    for (const char *path :
         {"FastReports-FreeReport/Demos/REPORTS/1.FRF", "FastReports-FreeReport/Demos/CNVREPS/fmt22.frf",
          "FastReports-FreeReport/Demos/CNVREPS/fmt2217.frf", "FastReports-FreeReport/Demos/REPORTS/DOC10.FRF",
          "michalgw-hbfr/test/test4.frf"}) {
        SCOPED_TRACE(path);
        const QString name = QString::fromLatin1(path);
        const QByteArray json = QJsonDocument(frfInfo(loadFrfTemplate(frfSample(name), name), name)).toJson();
        QFile golden(goldenDir + name.section(QLatin1Char('/'), -1) + QStringLiteral(".json"));
        if (update) {
            ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
            golden.write(json);
            continue;
        }
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << qPrintable(golden.fileName());
        EXPECT_EQ(QString::fromUtf8(json), QString::fromUtf8(golden.readAll()));
    }
}

// Cut at every byte: a clean error naming the file, or (cut between two records) a shorter report.
TEST(FrfSamples, EveryPrefixFailsCleanly)
{
    for (const QString &path : allFrfSamples()) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray bytes = frfSample(path);
        // What follows a data manager's mark is never read, so cuts there load.
        const qint64 dataManager = readFrf(bytes).dataManagerOffset;
        const qint64 readable = dataManager >= 0 ? dataManager + 1 : bytes.size();
        int loaded = 0;
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            try {
                loadFrfTemplate(bytes.left(cut), QStringLiteral("cut.frf"));
                loaded += cut < readable;
            } catch (const AppError &e) {
                if (cut > 0) {
                    ASSERT_TRUE(e.message().contains(QStringLiteral("cut.frf"))) << qPrintable(e.message());
                }
            }
        }
        EXPECT_LT(loaded, readable / 4);
    }
}

TEST(FrfSamples, OpenedThroughTheTemplateLoader)
{
    registerFrfTemplateFormat();
    registerFrfTemplateFormat(); // twice is harmless
    const report::ReportTemplate t = report::loadTemplate(
        ergotab::test::frfSamplesDir() + QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC3.FRF"));
    EXPECT_EQ(t.name, QStringLiteral("DOC3"));
    ASSERT_EQ(t.pages.size(), 1u);
    EXPECT_FALSE(t.pages[0].bands.empty());
}

} // namespace
