// The wizard driving the real main window's add and store commands.
#include "MainFormFixture.h"

#include "storage/document/Document.h"
#include "wizard/TWizardForm.h"
#include "wizard/rules/PageFlow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace ergotab;
using namespace ergotab::test;

namespace {

class WizardOnMainWindow : public MainFormFixture
{
protected:
    // Names the assessment and answers "Ne" to every factor up to the last page.
    static void answerNeEverywhere(TWizardForm &wizard, const QString &name)
    {
        wizard.findChild<QLineEdit *>(QStringLiteral("NameEdit"))->setText(name);
        const std::map<int, const char *> presence = {
            {PagePrach, "PrachComboBox"},     {PageChem, "ChemComboBox"},   {PageHluk, "HlukComboBox"},
            {PageVibr, "VibraComboBox"},      {PageNeion, "NeionComboBox"}, {PageFyz1, "FyzMainComboBox"},
            {PagePol1, "PracPolohaComboBox"}, {PageTeplo, "TeploComboBox"}, {PageChlad, "ChladComboBox"},
            {PagePsych, "PsychiComboBox"},    {PageZrak, "ZrakComboBox"},   {PageBio, "BioComboBox"},
            {PageTlak, "TlakComboBox"}};
        auto *next = wizard.findChild<QPushButton *>(QStringLiteral("NextButton"));
        while (wizard.currentPage() < PageZaver) {
            const auto it = presence.find(wizard.currentPage());
            if (it != presence.end())
                wizard.findChild<QComboBox *>(QString::fromLatin1(it->second))->setCurrentIndex(1);
            ASSERT_TRUE(next->isEnabled()) << "page " << wizard.currentPage();
            next->click();
        }
    }
};

} // namespace

TEST_F(WizardOnMainWindow, FinishingAddsTheAssessmentUnderTheSelectedNode)
{
    TMainForm &window = shownForm();
    window.AddNodeSpeedButtonClick();
    child<QLineEdit>("NodeNameEdit")->setText(QStringLiteral("Kanceláře"));
    window.StoreBitBtnClick();
    window.document().setModified(false);
    auto *tree = child<QTreeWidget>("DataTreeNT");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    tree->setCurrentItem(tree->topLevelItem(0));

    TWizardForm wizard(&window, &window.editing());
    wizard.show();
    answerNeEverywhere(wizard, QStringLiteral("Účetní"));
    wizard.findChild<QPushButton *>(QStringLiteral("NextButton"))->click();

    EXPECT_TRUE(window.document().isModified());
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Účetní"));
    dbf::Table &objects = window.document().objects();
    objects.setFiltered(false);
    objects.setFilter(QString());
    ASSERT_TRUE(objects.locate(QStringLiteral("Type"), 1));
    EXPECT_EQ(objects.fieldText(QStringLiteral("Text")), QStringLiteral("Účetní"));
    EXPECT_EQ(objects.fieldInt(QStringLiteral("UpLink")), 1);
    for (int n = 1; n <= 13; ++n)
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak%1").arg(n, 2, 10, QLatin1Char('0'))), 1) << n;
    EXPECT_FALSE(child<QPushButton>("StoreBitBtn")->isEnabled()) << "the editing state ended";
}

TEST_F(WizardOnMainWindow, CancellingCreatesNothingAndLeavesTheFlagClear)
{
    TMainForm &window = shownForm();
    TWizardForm wizard(&window, &window.editing());
    wizard.show();
    answerNeEverywhere(wizard, QStringLiteral("Nic"));
    wizard.reject();
    EXPECT_FALSE(window.document().isModified());
    EXPECT_EQ(window.document().objects().recordCount(), 0);
    EXPECT_EQ(child<QTreeWidget>("DataTreeNT")->topLevelItemCount(), 0);
}
