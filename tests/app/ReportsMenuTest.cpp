#include "MainFormFixture.h"

#include "reports/ReportsFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace ergotab;

namespace {

QString shippedTemplate(const QString &name)
{
    return QStringLiteral(ERGOTAB_PROGRAM_DIR "/Reports/") + name + QStringLiteral(".frf");
}

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    return texts;
}

} // namespace

// A main window over a reports folder of the test's own: "Riziko.frf" and "Souhrn.FRF" (copies
// of a shipped template), a folder "x.frf" and "readme.txt".
class ReportsMenu : public test::MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        reportsFolder = scratch.file(QStringLiteral("Reports"));
        QDir(scratch.path()).mkpath(QStringLiteral("Reports/x.frf"));
        QFile::copy(shippedTemplate(QStringLiteral("Kategorizace prací")),
                    reportsFolder + QStringLiteral("/Riziko.frf"));
        QFile::copy(shippedTemplate(QStringLiteral("Souhrn kategorií")), reportsFolder + QStringLiteral("/Souhrn.FRF"));
        test::TempDir::write(reportsFolder + QStringLiteral("/readme.txt"), "Šablony sestav");
        reports::ReportsFolder::setPath(reportsFolder);
    }

    void TearDown() override
    {
        MainFormFixture::TearDown();
        reports::ReportsFolder::setPath(QString());
    }

    QMenu *menu() const { return child<QMenu>("Sestavy1"); }

    QString reportsFolder;
};

TEST_F(ReportsMenu, ListsEachTemplateOnceAndIsBuiltAgainOnRequest)
{
    shownForm();
    QStringList items = captions(menu());
    items.sort();
    EXPECT_EQ(items, (QStringList {QStringLiteral("Riziko"), QStringLiteral("Souhrn")}));

    // Built again after the designer: a template saved under a new name appears, a deleted one goes.
    QFile::remove(reportsFolder + QStringLiteral("/Riziko.frf"));
    QFile::copy(shippedTemplate(QStringLiteral("Ochranná opatření")), reportsFolder + QStringLiteral("/A & B.frf"));
    form->rebuildReportsMenu();
    items = captions(menu());
    items.sort();
    EXPECT_EQ(items, (QStringList {QStringLiteral("A && B"), QStringLiteral("Souhrn")}));

    // Without a reports folder the menu is empty.
    reports::ReportsFolder::setPath(scratch.file(QStringLiteral("none")));
    form->rebuildReportsMenu();
    EXPECT_TRUE(menu()->actions().isEmpty());
}

TEST_F(ReportsMenu, IsLockedWithTheOtherMenusWhileTheEditorHoldsChanges)
{
    test::TempDir::write(markerPath(), ""); // administrator mode: "Úprava sestav" is offered
    shownForm();
    ASSERT_TRUE(child<QMenu>("Administrace1")->menuAction()->isEnabled());
    form->AddNodeSpeedButtonClick();
    child<QLineEdit>("NodeNameEdit")->setText(QStringLiteral("Dílna"));
    ASSERT_TRUE(child<QPushButton>("StoreBitBtn")->isEnabled());
    EXPECT_FALSE(menu()->menuAction()->isEnabled());
    EXPECT_FALSE(child<QMenu>("Administrace1")->menuAction()->isEnabled());
    form->CancelBitBtnClick();
    EXPECT_TRUE(menu()->menuAction()->isEnabled());
    EXPECT_TRUE(child<QMenu>("Administrace1")->menuAction()->isEnabled());
}
