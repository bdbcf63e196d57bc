#include "wizard/rules/PageFlow.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace ergotab;
using A = WizardAnswers;

TEST(PageFlow, KeysContextsAndFactorsOfPages)
{
    EXPECT_EQ(pageKey(PageUvod), QStringLiteral("uvod"));
    EXPECT_EQ(pageKey(PageChem1), QStringLiteral("chem1"));
    EXPECT_EQ(pageKey(PageTlak), QStringLiteral("tlak"));
    EXPECT_EQ(pageKey(PageZaver), QStringLiteral("zaver"));
    EXPECT_EQ(pageHelpContext(PageUvod), 510);
    EXPECT_EQ(pageHelpContext(PagePrach), 520);
    EXPECT_EQ(pageHelpContext(PageZaver), 710);
    EXPECT_EQ(factorHelpContext(pageFactor(PageVibr1)), 840);
    EXPECT_EQ(factorHelpContext(pageFactor(PageFyz4)), 860);
    EXPECT_EQ(factorHelpContext(pageFactor(PageTlak)), 930);
    EXPECT_EQ(pageFactor(PageUvod), 0);
    EXPECT_EQ(pageFactor(PageZaver), 0);
}

TEST(PageFlow, FollowUpPagesArePassedOverOnlyWhenTheirFactorIsNe)
{
    A a;
    for (int p = 0; p < WizardPageCount; ++p)
        EXPECT_FALSE(pagePassedOver(p, a)) << p;

    a.ChemComboBox = Ne;
    a.VibraComboBox = Ne;
    a.FyzMainComboBox = Ne;
    a.PrachComboBox = a.HlukComboBox = a.TeploComboBox = a.TlakComboBox = Ne;
    std::vector<int> passed;
    for (int p = 0; p < WizardPageCount; ++p)
        if (pagePassedOver(p, a))
            passed.push_back(p);
    EXPECT_EQ(passed, (std::vector<int> {PageChem1, PageVibr1, PageVibr2, PageFyz2, PageFyz3, PageFyz4}));
}

TEST(PageFlow, NameAndPresencePages)
{
    A a;
    EXPECT_FALSE(pageComplete(PageUvod, a, QString()));
    EXPECT_TRUE(pageComplete(PageUvod, a, QStringLiteral(" ")));

    EXPECT_FALSE(pageComplete(PagePrach, a, {})) << "unanswered presence";
    a.PrachComboBox = Ano;
    EXPECT_FALSE(pageComplete(PagePrach, a, {}));
    a.PrachPanel = 2;
    EXPECT_TRUE(pageComplete(PagePrach, a, {}));
    a.PrachComboBox = Ne;
    a.PrachPanel = 0;
    EXPECT_TRUE(pageComplete(PagePrach, a, {}));

    a.ChemComboBox = Ano;
    a.Panel4 = 4;
    a.Panel5 = 7;
    EXPECT_FALSE(pageComplete(PageChem, a, {})) << "additive group missing";
    a.Panel38 = 86;
    EXPECT_TRUE(pageComplete(PageChem, a, {}));
    EXPECT_FALSE(pageComplete(PageChem1, a, {}));
    a.AlergieComboBox = Ne;
    EXPECT_TRUE(pageComplete(PageChem1, a, {}));

    EXPECT_TRUE(pageComplete(PageVibr2, a, {})) << "boxes are optional";
    EXPECT_TRUE(pageComplete(PageZaver, a, {}));
    for (int p : {PageChlad, PagePsych, PageZrak, PageBio}) {
        EXPECT_FALSE(pageComplete(p, a, {})) << p;
    }
    a.ChladComboBox = Ano;
    a.PsychiComboBox = Ne;
    EXPECT_TRUE(pageComplete(PageChlad, a, {})) << "no box required";
    EXPECT_TRUE(pageComplete(PagePsych, a, {}));
}

TEST(PageFlow, PhysicalLoadPagesNeedEveryGroupOfAnAnsweredBlock)
{
    A a;
    EXPECT_FALSE(pageComplete(PageFyz1, a, {}));
    a.FyzMainComboBox = Ne;
    EXPECT_TRUE(pageComplete(PageFyz1, a, {}));
    a.FyzMainComboBox = Ano;
    EXPECT_FALSE(pageComplete(PageFyz1, a, {})) << "block question unanswered";
    a.Fyz1ComboBox = Ne;
    EXPECT_TRUE(pageComplete(PageFyz1, a, {}));
    a.Fyz1ComboBox = Ano;
    a.Panel9 = 22;
    a.Panel10 = 25;
    a.Panel11 = 28;
    EXPECT_FALSE(pageComplete(PageFyz1, a, {})) << "annual statement unanswered";
    a.ComboBox1 = Prekracuje;
    EXPECT_TRUE(pageComplete(PageFyz1, a, {}));

    a.FyzMalComboBox = Ano;
    a.Panel12 = 31;
    a.Panel40 = 24;
    a.Panel13 = 34;
    EXPECT_FALSE(pageComplete(PageFyz2, a, {}));
    a.ComboBox2 = Neprekracuje;
    EXPECT_TRUE(pageComplete(PageFyz2, a, {}));

    a.FyzBremComboBox = Ano;
    a.Panel15 = 39;
    a.Panel41 = 30;
    a.Panel42 = 38;
    EXPECT_FALSE(pageComplete(PageFyz4, a, {}));
    a.Panel43 = 91;
    EXPECT_TRUE(pageComplete(PageFyz4, a, {}));
}

TEST(PageFlow, EveryHelpTopicTheWizardOpensIsWritten)
{
    const QString topics = QStringLiteral(ERGOTAB_SOURCE_DIR "/help/pages/topics/");
    for (int page = 0; page < WizardPageCount; ++page) {
        EXPECT_TRUE(QFile::exists(topics + QString::number(pageHelpContext(page)) + QStringLiteral(".html")))
            << pageKey(page).toStdString();
        if (const int factor = pageFactor(page)) {
            EXPECT_TRUE(QFile::exists(topics + QString::number(factorHelpContext(factor)) + QStringLiteral(".html")))
                << factor;
        }
    }
}
