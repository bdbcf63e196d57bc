// Golden tests: small templates over small data, laid out with fixed character widths, and the
// prepared pages dumped as text and compared with the expected files beside the templates.
// ERGOTAB_UPDATE_GOLDEN=1 writes the expected files anew (look at the diff before committing).

#include "TestSources.h"

#include "reportengine/layout/ReportEngine.h"
#include "reportengine/prepared/PreparedDump.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace Qt::StringLiterals;

namespace {

QString goldenDir()
{
    return QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/reportengine/layout/golden/");
}

QString prepareAndDump(const QString &name)
{
    test::TestSources sources;
    ReportEngine engine;
    engine.loadTemplate(goldenDir() + name + u".frf"_s);
    for (DataSource *s : sources.all())
        engine.addDataSource(*s);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    const PrepareResult result = engine.prepare();
    if (result.status != PrepareResult::Status::Done)
        return u"failed: "_s + result.error + u'\n';
    QString out = dumpPreparedReport(result.report);
    for (const QString &w : result.warnings)
        out += u"warning: "_s + w + u'\n';
    return out;
}

class Golden : public ::testing::TestWithParam<const char *>
{
};

} // namespace

TEST_P(Golden, PreparedPagesMatchTheExpectedDump)
{
    const QString name = QString::fromLatin1(GetParam());
    const QString actual = prepareAndDump(name);
    const QString expectedPath = goldenDir() + name + u".txt"_s;
    if (qEnvironmentVariableIsSet("ERGOTAB_UPDATE_GOLDEN")) {
        ergotab::test::TempDir::write(expectedPath, actual.toUtf8());
        return;
    }
    const QString expected = QString::fromUtf8(ergotab::test::TempDir::read(expectedPath));
    ASSERT_FALSE(expected.isEmpty()) << "no expected file " << expectedPath.toStdString();
    const QStringList a = actual.split(u'\n');
    const QStringList e = expected.split(u'\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QString got = i < a.size() ? a[i] : u"(end)"_s;
        const QString want = i < e.size() ? e[i] : u"(end)"_s;
        ASSERT_EQ(got.toStdString(), want.toStdString())
            << "first difference at line " << i + 1 << " of " << expectedPath.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, Golden,
                         ::testing::Values("bands", "master-detail", "groups", "page-breaks", "stretch", "columns",
                                           "objects", "huge", "barcodes", "keep-together", "page-objects", "pages",
                                           "pages-subreport"));
