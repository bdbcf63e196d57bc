// ergotab-cli report: the four shipped templates over a document made here, read back through
// pdftotext, and the command's answers to bad calls.
#include "CliRunner.h"
#include "storage/document/Document.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace ergotab;
using ergotab::test::CliRun;
using ergotab::test::runCli;
using ergotab::test::TempDir;

namespace {

QString shipped(const QString &name)
{
    return QStringLiteral(ERGOTAB_PROGRAM_DIR "/Reports/") + name + QStringLiteral(".frf");
}

// Two workplaces under a plant, a category 3 work, a category 2 work, a category 1 work and a
// work at the top level.
class ReportCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Document document;
        document.start();
        dbf::Table &objects = document.objects();
        objects.appendRecord({1, 0, 0, QStringLiteral("Závod Sever")});
        objects.appendRecord({2, 1, 0, QStringLiteral("Lakovna")});
        addWork(objects, 3, 2, QStringLiteral("Lakýrník"), {{2, 4}, {3, 2}}, 14, 3,
                QStringLiteral("Toluen 1,5násobek PEL"), QStringLiteral("Odsávání, polomaska s filtrem A2."));
        objects.appendRecord({4, 1, 0, QStringLiteral("Sklad")});
        addWork(objects, 5, 4, QStringLiteral("Skladník"), {{6, 2}, {7, 1}}, 20, 4, QString(),
                QStringLiteral("Vozíky pro manipulaci s břemeny."));
        addWork(objects, 6, 4, QStringLiteral("Účetní"), {{11, 1}}, 5, 5, QString(), QString());
        addWork(objects, 7, 0, QStringLiteral("Ředitel"), {}, 1, 0, QString(), QString());
        document.setFileName(document_);
        document.save();
        document.shutDown();
    }

    static void addWork(dbf::Table &objects, int index, int upLink, const QString &name,
                        const std::vector<std::pair<int, int>> &masks, int employees, int women, const QString &mereni,
                        const QString &opatreni)
    {
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), index);
        objects.setFieldInt(QStringLiteral("UpLink"), upLink);
        objects.setFieldInt(QStringLiteral("Type"), 1);
        objects.setFieldText(QStringLiteral("Text"), name);
        for (const auto &[factor, mask] : masks)
            objects.setFieldInt(QStringLiteral("Fak%1").arg(factor, 2, 10, QLatin1Char('0')), mask);
        objects.setFieldInt(QStringLiteral("Pracov"), employees);
        objects.setFieldInt(QStringLiteral("Zen"), women);
        objects.setFieldText(QStringLiteral("Mereni"), mereni);
        objects.setFieldText(QStringLiteral("Opatreni"), opatreni);
        objects.post();
    }

    // Runs the report to PDF and gives its text with runs of blanks made single, line by line.
    QStringList reportText(const QString &templateName, const QStringList &extra = {})
    {
        const QString pdf = dir.file(QStringLiteral("out.pdf"));
        const CliRun run =
            runCli(QStringList {QStringLiteral("report"), shipped(templateName), document_, pdf} + extra);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_FALSE(run.err.contains(QStringLiteral("ergotab-cli"))) << qPrintable(run.err);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.waitForFinished(30000));
        QStringList lines;
        for (const QString &line : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n')))
            lines
                << line.normalized(QString::NormalizationForm_KC).simplified(); // ligatures such as "ﬁ" read as letters
        return lines;
    }

    TempDir dir;
    const QString document_ = dir.file(QStringLiteral("Závod.tvo"));
};

bool hasLine(const QStringList &lines, const QString &wanted)
{
    return lines.contains(wanted);
}

bool mentions(const QStringList &lines, const QString &wanted)
{
    return lines.join(QLatin1Char('\n')).contains(wanted);
}

} // namespace

TEST_F(ReportCli, KategorizacePraciListsEveryWorkUnderItsPathWithItsCategories)
{
    const QStringList lines = reportText(QStringLiteral("Kategorizace prací"));
    EXPECT_TRUE(mentions(lines, QStringLiteral("Kategorizace prací")));
    EXPECT_TRUE(mentions(lines, QStringLiteral("Dokument: Závod")));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Závod Sever / Lakovna"))) << qPrintable(lines.join(u'\n'));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Závod Sever / Sklad")));
    // Name, factor categories in factor order, category of the work, employees, women.
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Lakýrník 3 2 3 14 3"))) << qPrintable(lines.join(u'\n'));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Skladník 2 1 2 20 4")));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Účetní 1 1 5 5")));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Ředitel 1 0")));
    EXPECT_TRUE(mentions(lines, QStringLiteral("Celkem hodnocených prací: 4")));
    EXPECT_TRUE(mentions(lines, QStringLiteral("strana 1 z 1")));
}

TEST_F(ReportCli, SouhrnKategoriiCountsWorksEmployeesAndWomenPerFactorAndCategory)
{
    const QStringList lines = reportText(QStringLiteral("Souhrn kategorií"));
    // Noise: one work in category 2 (Lakýrník, 14 employees, 3 women).
    EXPECT_TRUE(hasLine(lines, QStringLiteral("3. Zátěž hlukem 0 0 0 1 14 3 0 0 0 0 0 0")))
        << qPrintable(lines.join(u'\n'));
    // Visual load has no category 4: its cells show a dash.
    EXPECT_TRUE(hasLine(lines, QStringLiteral("11. Zraková zátěž 1 5 5 0 0 0 0 0 0 – – –")));
    // Works by their highest category: Účetní in 1, Skladník in 2, Lakýrník in 3.
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Práce podle nejvyšší kategorie 1 5 5 1 20 4 1 14 3 0 0 0")));
    EXPECT_TRUE(mentions(lines, QStringLiteral("Celkem hodnocených prací: 4 zaměstnanců: 40 z toho žen: 12")));
}

TEST_F(ReportCli, NavrhTakesTheEmployerFromSetAndListsOnlyCategoryThreeAndFour)
{
    const QStringList lines =
        reportText(QStringLiteral("Návrh na zařazení prací do kategorií"),
                   {QStringLiteral("--set"), QStringLiteral("Nazev=Strojírny Sever a.s."), QStringLiteral("--set"),
                    QStringLiteral("ico=12345678"), QStringLiteral("--set=Sidlo=Dlouhá 5, 110 00 Praha 1"),
                    QStringLiteral("--set"), QStringLiteral("Smennost=dvousměnný provoz")});
    const QString all = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("Návrh na zařazení prací do kategorií")));
    EXPECT_TRUE(all.contains(QStringLiteral("Strojírny Sever a.s."))) << qPrintable(all);
    EXPECT_TRUE(all.contains(QStringLiteral("IČO: 12345678")));
    EXPECT_TRUE(all.contains(QStringLiteral("Dlouhá 5, 110 00 Praha 1")));
    EXPECT_TRUE(all.contains(QStringLiteral("směnnost: dvousměnný provoz")));
    EXPECT_TRUE(all.contains(QStringLiteral("Lakýrník; Závod Sever / Lakovna")));
    EXPECT_TRUE(all.contains(QStringLiteral("Toluen 1,5násobek PEL")));
    EXPECT_TRUE(all.contains(QStringLiteral("Odsávání, polomaska s filtrem A2.")));
    EXPECT_TRUE(all.contains(QStringLiteral("Zaměstnanců: 14 z toho žen: 3")));
    EXPECT_FALSE(all.contains(QStringLiteral("Skladník")));
    EXPECT_TRUE(all.contains(QStringLiteral("Počet navrhovaných prací: 1")));
}

TEST_F(ReportCli, OchrannaOpatreniShowsFactorsFromCategoryTwoAndTheMeasures)
{
    const QStringList lines = reportText(QStringLiteral("Ochranná opatření"));
    const QString all = lines.join(QLatin1Char('\n'));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Závod Sever / Sklad"))) << qPrintable(all);
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Fyzická zátěž kategorie 2")));
    EXPECT_TRUE(all.contains(QStringLiteral("Vozíky pro manipulaci s břemeny.")));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Zátěž chemickými látkami kategorie 3")));
    EXPECT_TRUE(hasLine(lines, QStringLiteral("Zátěž hlukem kategorie 2")));
    // Category 1 factors and works without a factor above 1 are left out.
    EXPECT_FALSE(all.contains(QStringLiteral("Zátěž prací v nevhodných pracovních polohách")));
    EXPECT_FALSE(all.contains(QStringLiteral("Účetní")));
    EXPECT_FALSE(all.contains(QStringLiteral("Ředitel")));
}

TEST_F(ReportCli, OutputFormatFollowsTheExtension)
{
    for (const char *ext : {"html", "rtf", "frp"}) {
        const QString out = dir.file(QStringLiteral("out.") + QLatin1String(ext));
        const CliRun run =
            runCli({QStringLiteral("report"), shipped(QStringLiteral("Kategorizace prací")), document_, out});
        EXPECT_EQ(run.exitCode, 0) << ext << qPrintable(run.err);
        const QByteArray bytes = TempDir::read(out);
        EXPECT_FALSE(bytes.isEmpty()) << ext;
        if (QLatin1String(ext) == QLatin1String("html")) {
            EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("Lakýrník")));
        }
        if (QLatin1String(ext) == QLatin1String("rtf")) {
            EXPECT_TRUE(bytes.startsWith("{\\rtf"));
        }
    }
}

TEST_F(ReportCli, BadCallsAndFailingReportsGiveClearMessagesAndExitCodes)
{
    const QString templ = shipped(QStringLiteral("Kategorizace prací"));
    CliRun run = runCli({QStringLiteral("report"), templ, document_, dir.file(QStringLiteral("out.docx"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("out.docx"))) << qPrintable(run.err);

    run = runCli({QStringLiteral("report"), templ, document_});
    EXPECT_EQ(run.exitCode, 2);
    run = runCli({QStringLiteral("report"), QStringLiteral("--set"), QStringLiteral("bez-rovnítka"), templ, document_,
                  dir.file(QStringLiteral("out.pdf"))});
    EXPECT_EQ(run.exitCode, 2);

    run = runCli({QStringLiteral("report"), dir.file(QStringLiteral("Není.frf")), document_,
                  dir.file(QStringLiteral("out.pdf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Není.frf"))) << qPrintable(run.err);

    run = runCli(
        {QStringLiteral("report"), templ, dir.file(QStringLiteral("Není.tvo")), dir.file(QStringLiteral("out.pdf"))});
    EXPECT_EQ(run.exitCode, 1);

    // A report whose text feeds R_MAXKATEGORIE with a letter stops with an error naming it,
    // and writes nothing.
    const QString bad = dir.file(QStringLiteral("Chyba.frf"));
    TempDir::write(bad, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<report version=\"1\"><page name=\"P\">"
                        "<band kind=\"master-data\" name=\"Data\" data-source=\"Kategorie_DataSet\">"
                        "<text name=\"Max\" x=\"0\" y=\"0\" width=\"50\" height=\"5\">"
                        "<content>[R_MAXKATEGORIE('12x')]</content></text></band></page></report>\n");
    const QString out = dir.file(QStringLiteral("chyba.pdf"));
    run = runCli({QStringLiteral("report"), bad, document_, out, QStringLiteral("--set"), QStringLiteral("X=1")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("R_MAXKATEGORIE"))) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Max"))) << qPrintable(run.err);
    EXPECT_FALSE(QFile::exists(out));

    run = runCli({QStringLiteral("help"), QStringLiteral("report")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("--set NAME=VALUE")));
}

// A template of the earlier engine tells on stderr what could not be carried over, also when
// the report then stops (this one reads a data source the program does not have).
TEST_F(ReportCli, EarlierTemplatesWarningsGoToStderr)
{
    const QString templ =
        QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/frf-samples/FastReports-FreeReport/Demos/REPORTS/DOC5.FRF");
    const CliRun run = runCli({QStringLiteral("report"), templ, document_, dir.file(QStringLiteral("doc5.pdf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("warning: ") + templ + QStringLiteral(": Objekt Picture1: obrázek")))
        << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("BioDataSet"))) << qPrintable(run.err);
}
