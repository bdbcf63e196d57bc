#include "reports/ReportsFolder.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace ergotab::reports {
namespace {

using test::TempDir;

class ReportsFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TempDir::write(folder.file(QStringLiteral("Riziko.frf")), "<report/>");
        TempDir::write(folder.file(QStringLiteral("Souhrn.FRF")), "<report/>");
        TempDir::write(folder.file(QStringLiteral("readme.txt")), "text");
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("x.frf")));
    }

    TempDir folder;
};

TEST_F(ReportsFolderTest, ListsTemplatesOfEitherCaseWithoutFoldersOrOtherFiles)
{
    QStringList names = ReportsFolder::reportNames(folder.path());
    names.sort(); // the listing's own order is the file system's
    EXPECT_EQ(names, (QStringList {QStringLiteral("Riziko"), QStringLiteral("Souhrn")}));
}

TEST_F(ReportsFolderTest, KeepsTheListingOrderAndOnlyTheLastExtension)
{
    TempDir::write(folder.file(QStringLiteral(".hidden.Frf")), "<report/>");
    TempDir::write(folder.file(QStringLiteral("Kategorizace prací.v2.frf")), "<report/>");
    TempDir::write(folder.file(QStringLiteral(".frf")), "<report/>");
    TempDir::write(folder.file(QStringLiteral("Riziko.frf.bak")), "<report/>");

    QStringList listed;
    for (const QString &name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
        if (name.size() > 4 && name.endsWith(QStringLiteral(".frf"), Qt::CaseInsensitive))
            listed.append(name.chopped(4));
    EXPECT_EQ(ReportsFolder::reportNames(folder.path()), listed);
    EXPECT_TRUE(listed.contains(QStringLiteral(".hidden")));
    EXPECT_TRUE(listed.contains(QStringLiteral("Kategorizace prací.v2")));
    EXPECT_EQ(listed.size(), 4);
}

TEST_F(ReportsFolderTest, AMissingFolderOrANamedPipeGivesNoReport)
{
    EXPECT_TRUE(ReportsFolder::reportNames(folder.file(QStringLiteral("none"))).isEmpty());
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file(QStringLiteral("Pipe.frf"))).constData(), 0600), 0);
    EXPECT_FALSE(ReportsFolder::reportNames(folder.path()).contains(QStringLiteral("Pipe")));
    EXPECT_EQ(ReportsFolder::templatePath(folder.path(), QStringLiteral("Pipe")),
              folder.withSeparator() + QStringLiteral("Pipe.FRF"));
}

TEST_F(ReportsFolderTest, FindsTheTemplateWhateverTheCaseOfItsExtension)
{
    EXPECT_EQ(ReportsFolder::templatePath(folder.path(), QStringLiteral("Souhrn")),
              folder.withSeparator() + QStringLiteral("Souhrn.FRF"));
    EXPECT_EQ(ReportsFolder::templatePath(folder.withSeparator(), QStringLiteral("Riziko")),
              folder.withSeparator() + QStringLiteral("Riziko.frf"));
    // The name itself keeps its case: "riziko" is another report.
    EXPECT_EQ(ReportsFolder::templatePath(folder.path(), QStringLiteral("riziko")),
              folder.withSeparator() + QStringLiteral("riziko.FRF"));
    // A folder of that name is no template.
    EXPECT_EQ(ReportsFolder::templatePath(folder.path(), QStringLiteral("x")),
              folder.withSeparator() + QStringLiteral("x.FRF"));
}

TEST(ReportsFolder, LiesBesideTheProgramUnlessSetOtherwise)
{
    const QString own = ReportsFolder::path();
    EXPECT_TRUE(own.endsWith(QStringLiteral("/Reports/")));
    ReportsFolder::setPath(QStringLiteral("/tmp/elsewhere"));
    EXPECT_EQ(ReportsFolder::path(), QStringLiteral("/tmp/elsewhere/"));
    ReportsFolder::setPath(QString());
    EXPECT_EQ(ReportsFolder::path(), own);
}

} // namespace
} // namespace ergotab::reports
