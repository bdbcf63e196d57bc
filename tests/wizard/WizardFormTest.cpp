#include "FakeEditing.h"

#include "wizard/TWizardForm.h"
#include "wizard/rules/PageFlow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace ergotab;

namespace {

// One wizard over a fake document editor, shown offscreen, with help requests recorded.
class Wizard
{
public:
    Wizard()
        : form(nullptr, &editing)
    {
        form.setHelpOpener([this](QWidget *, int context) { helpOpened.append(context); });
        form.show();
    }

    template <typename W = QWidget> W *get(const char *name)
    {
        W *w = form.findChild<W *>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }

    QPushButton *next() { return get<QPushButton>("NextButton"); }
    QPushButton *prev() { return get<QPushButton>("PrevButton"); }
    void pick(const char *list, int index) { get<QComboBox>(list)->setCurrentIndex(index); }
    void yes(const char *list) { pick(list, 0); }
    void no(const char *list) { pick(list, 1); }
    void clickButton(const char *name) { get<QAbstractButton>(name)->click(); }
    void clickLabel(const char *name) { QTest::mouseClick(get(name), Qt::LeftButton, {}, QPoint(3, 10)); }
    int page() const { return form.currentPage(); }
    void goNext()
    {
        ASSERT_TRUE(next()->isEnabled()) << "on page " << pageKey(page()).toStdString();
        next()->click();
    }

    // Walks from the first page to `target`, answering "Ne" to every factor on the way.
    void goWithNeTo(int target)
    {
        if (page() == PageUvod && get<QLineEdit>("NameEdit")->text().isEmpty())
            get<QLineEdit>("NameEdit")->setText(QStringLiteral("Dílna"));
        static const std::map<int, const char *> presence = {
            {PagePrach, "PrachComboBox"},     {PageChem, "ChemComboBox"},   {PageHluk, "HlukComboBox"},
            {PageVibr, "VibraComboBox"},      {PageNeion, "NeionComboBox"}, {PageFyz1, "FyzMainComboBox"},
            {PagePol1, "PracPolohaComboBox"}, {PageTeplo, "TeploComboBox"}, {PageChlad, "ChladComboBox"},
            {PagePsych, "PsychiComboBox"},    {PageZrak, "ZrakComboBox"},   {PageBio, "BioComboBox"},
            {PageTlak, "TlakComboBox"}};
        while (page() < target) {
            const auto it = presence.find(page());
            if (it != presence.end() && get<QComboBox>(it->second)->currentIndex() < 0)
                no(it->second);
            goNext();
        }
        ASSERT_EQ(page(), target);
    }

    FakeEditing editing;
    TWizardForm form;
    QList<int> helpOpened;
};

} // namespace

TEST(WizardForm, StartsBlankOnTheNamePageWithNextDisabled)
{
    Wizard w;
    EXPECT_EQ(w.form.windowTitle(), QStringLiteral("Průvodce hodnocením pracoviště"));
    EXPECT_EQ(w.page(), PageUvod);
    EXPECT_FALSE(w.next()->isEnabled());
    EXPECT_FALSE(w.prev()->isEnabled());
    EXPECT_EQ(w.next()->text(), QStringLiteral("Další >"));
    EXPECT_EQ(w.get<QProgressBar>("ProgressBar1")->value(), 0);
    EXPECT_FALSE(w.get("ZakonButton")->isEnabled());
    for (const char *list : {"PrachComboBox", "AlergieComboBox", "ComboBox1", "TlakComboBox"})
        EXPECT_EQ(w.get<QComboBox>(list)->currentIndex(), -1) << list;
    EXPECT_FALSE(w.get("PrachPanel")->isVisibleTo(&w.form));
    EXPECT_GE(w.form.width(), 554);
    EXPECT_GE(w.form.height(), 346);
}

TEST(WizardForm, NextIsEnabledOnlyWhenThePageIsComplete)
{
    Wizard w;
    auto *name = w.get<QLineEdit>("NameEdit");
    name->setText(QStringLiteral(" "));
    EXPECT_TRUE(w.next()->isEnabled()) << "a single space is a name";
    name->clear();
    EXPECT_FALSE(w.next()->isEnabled());
    name->setText(QStringLiteral("Lakovna"));
    w.goNext();

    ASSERT_EQ(w.page(), PagePrach);
    EXPECT_FALSE(w.next()->isEnabled());
    w.yes("PrachComboBox");
    EXPECT_TRUE(w.get("PrachPanel")->isVisible());
    EXPECT_FALSE(w.next()->isEnabled());
    w.clickButton("RadioButton2");
    EXPECT_TRUE(w.next()->isEnabled());
    w.no("PrachComboBox");
    EXPECT_FALSE(w.get("PrachPanel")->isVisible());
    EXPECT_TRUE(w.next()->isEnabled());
    w.yes("PrachComboBox");
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton2")->isChecked()) << "earlier choice kept";
    EXPECT_TRUE(w.next()->isEnabled());
    w.goNext();

    ASSERT_EQ(w.page(), PageChem);
    w.yes("ChemComboBox");
    w.clickButton("RadioButton4");
    w.clickButton("RadioButton8");
    EXPECT_FALSE(w.next()->isEnabled()) << "the additive-effect group is still open";
    w.clickButton("RadioButton85");
    EXPECT_TRUE(w.next()->isEnabled());
    w.goNext();
    ASSERT_EQ(w.page(), PageChem1);
    EXPECT_FALSE(w.next()->isEnabled());
    w.no("AlergieComboBox");
    EXPECT_TRUE(w.next()->isEnabled());
    EXPECT_TRUE(w.prev()->isEnabled()) << "a page can always be left backward";
}

TEST(WizardForm, RadioButtonsChooseOnlyWithinTheirGroup)
{
    Wizard w;
    w.goWithNeTo(PageChem);
    w.yes("ChemComboBox");
    w.clickButton("RadioButton4");
    w.clickButton("RadioButton7");
    w.clickButton("RadioButton5");
    EXPECT_FALSE(w.get<QRadioButton>("RadioButton4")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton5")->isChecked());
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton7")->isChecked());
}

TEST(WizardForm, FollowUpPagesArePassedOverInTheDirectionOfTravel)
{
    Wizard w;
    w.goWithNeTo(PageChem); // chemical substances still unanswered here
    w.no("ChemComboBox");
    w.goNext();
    EXPECT_EQ(w.page(), PageHluk) << "Ne on chem skips chem1";
    w.prev()->click();
    EXPECT_EQ(w.page(), PageChem);
    w.yes("ChemComboBox");
    for (const char *rb : {"RadioButton4", "RadioButton7", "RadioButton9"})
        w.clickButton(rb);
    w.goNext();
    EXPECT_EQ(w.page(), PageChem1);
    w.no("AlergieComboBox");
    w.goNext();
    w.prev()->click();
    EXPECT_EQ(w.page(), PageChem1) << "with Ano the way back passes through chem1";

    w.goWithNeTo(PageVibr);
    w.no("VibraComboBox");
    w.goNext();
    EXPECT_EQ(w.page(), PageNeion);
    w.prev()->click();
    EXPECT_EQ(w.page(), PageVibr);
    w.yes("VibraComboBox");
    w.clickButton("RadioButton13");
    w.goNext();
    EXPECT_EQ(w.page(), PageVibr1);
    EXPECT_FALSE(w.next()->isEnabled());
    w.clickButton("RadioButton82");
    w.clickButton("RadioButton87");
    w.goNext();
    EXPECT_EQ(w.page(), PageVibr2);
    EXPECT_TRUE(w.next()->isEnabled()) << "the boxes are optional";
    w.goNext();
    w.prev()->click();
    EXPECT_EQ(w.page(), PageVibr2);

    w.goWithNeTo(PageFyz1);
    w.no("FyzMainComboBox");
    w.goNext();
    EXPECT_EQ(w.page(), PagePol1);
    w.prev()->click();
    EXPECT_EQ(w.page(), PageFyz1);
}

TEST(WizardForm, PhysicalLoadPanelsNest)
{
    Wizard w;
    w.goWithNeTo(PageFyz1);
    w.yes("FyzMainComboBox");
    EXPECT_TRUE(w.get("FyzMainPanel")->isVisible());
    EXPECT_FALSE(w.get("FyzPanel")->isVisible());
    EXPECT_FALSE(w.next()->isEnabled());
    w.yes("Fyz1ComboBox");
    EXPECT_TRUE(w.get("FyzPanel")->isVisible());
    for (const char *rb : {"RadioButton22", "RadioButton25", "RadioButton28"})
        w.clickButton(rb);
    EXPECT_FALSE(w.next()->isEnabled()) << "the annual statement is unanswered";
    w.pick("ComboBox1", 0);
    EXPECT_TRUE(w.next()->isEnabled());
    w.goNext();
    EXPECT_EQ(w.page(), PageFyz2) << "block pages follow when physical load is present";
}

TEST(WizardForm, NextReadsDokoncitOnlyOnTheLastPage)
{
    Wizard w;
    w.goWithNeTo(PageTlak);
    EXPECT_EQ(w.next()->text(), QStringLiteral("Další >"));
    w.no("TlakComboBox");
    w.goNext();
    ASSERT_EQ(w.page(), PageZaver);
    EXPECT_EQ(w.next()->text(), QStringLiteral("Dokončit"));
    EXPECT_TRUE(w.next()->isEnabled());
    EXPECT_EQ(w.get<QProgressBar>("ProgressBar1")->value(), 20);
    EXPECT_FALSE(w.get("ZakonButton")->isEnabled());
    w.prev()->click();
    EXPECT_EQ(w.page(), PageTlak);
    EXPECT_EQ(w.next()->text(), QStringLiteral("Další >"));
}

TEST(WizardForm, PictureStripAndHelpFollowThePage)
{
    Wizard w;
    const qint64 first = w.get<QLabel>("Image1")->pixmap().cacheKey();
    w.goWithNeTo(PagePrach);
    const qint64 second = w.get<QLabel>("Image1")->pixmap().cacheKey();
    EXPECT_NE(first, second);
    w.clickButton("SpeedButton1");
    w.clickButton("ZakonButton");
    EXPECT_EQ(w.helpOpened, (QList<int> {520, 810}));

    w.goWithNeTo(PageVibr);
    w.yes("VibraComboBox");
    w.clickButton("RadioButton15");
    w.goNext();
    ASSERT_EQ(w.page(), PageVibr1);
    EXPECT_EQ(w.get<QLabel>("Image1")->pixmap().cacheKey(), first) << "pages 0 and 6 share a picture";
    w.helpOpened.clear();
    w.clickButton("ZakonButton");
    w.clickButton("SpeedButton1");
    EXPECT_EQ(w.helpOpened, (QList<int> {840, 570}));
}

TEST(WizardForm, LabelsActOnTheAnswerBesideThem)
{
    Wizard w;
    w.goWithNeTo(PageVibr);
    w.yes("VibraComboBox");
    w.clickLabel("ZLabel2");
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton14")->isChecked());
    EXPECT_TRUE(w.next()->isEnabled()) << "a label click counts as a click on its button";
    w.goNext();

    w.clickLabel("ZLabel9");
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton89")->isChecked());
    EXPECT_FALSE(w.next()->isEnabled());
    w.clickLabel("ZLabel6");
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton84")->isChecked());
    EXPECT_TRUE(w.next()->isEnabled());
    w.goNext();

    w.clickLabel("ZLabel11");
    EXPECT_TRUE(w.get<QCheckBox>("CheckBox18")->isChecked());
    w.clickLabel("ZLabel11");
    EXPECT_FALSE(w.get<QCheckBox>("CheckBox18")->isChecked()) << "a check box label toggles";

    w.goWithNeTo(PageTeplo);
    w.yes("TeploComboBox");
    w.clickLabel("JvHTLabel3");
    EXPECT_TRUE(w.get<QRadioButton>("RadioButton50")->isChecked());
    EXPECT_TRUE(w.next()->isEnabled());

    w.goWithNeTo(PageBio);
    w.yes("BioComboBox");
    w.clickLabel("Label5");
    EXPECT_FALSE(w.get<QCheckBox>("CheckBox15")->isChecked());
    EXPECT_TRUE(w.get<QCheckBox>("CheckBox16")->isChecked());
    EXPECT_FALSE(w.get<QCheckBox>("CheckBox9")->isChecked());
}

TEST(WizardForm, HeadingLabelsDoNothingWhenClicked)
{
    Wizard w;
    w.goWithNeTo(PageFyz1);
    w.yes("FyzMainComboBox");
    w.no("Fyz1ComboBox");
    w.goNext();
    w.yes("FyzMalComboBox");
    w.clickLabel("ZLabel13");
    w.clickLabel("ZLabel16");
    for (const char *rb :
         {"RadioButton31", "RadioButton32", "RadioButton24", "RadioButton27", "RadioButton34", "RadioButton35"})
        EXPECT_FALSE(w.get<QRadioButton>(rb)->isChecked()) << rb;
    EXPECT_EQ(w.get<QComboBox>("ComboBox2")->currentIndex(), -1);
}

TEST(WizardForm, CancellingOrEscapeCreatesNothing)
{
    Wizard w;
    w.goWithNeTo(PageHluk);
    QTest::keyClick(&w.form, Qt::Key_Escape);
    EXPECT_TRUE(w.form.isVisible()) << "Escape does not close the wizard";
    w.clickButton("StornoButton");
    EXPECT_FALSE(w.form.isVisible());
    EXPECT_EQ(w.form.result(), QDialog::Rejected);
    EXPECT_TRUE(w.editing.stored.isEmpty());

    Wizard closed;
    closed.goWithNeTo(PageZaver);
    closed.form.close();
    EXPECT_TRUE(closed.editing.stored.isEmpty());
}

TEST(WizardForm, FinishingWithEveryFactorNeStoresMaskOneEverywhere)
{
    Wizard w;
    w.get<QLineEdit>("NameEdit")->setText(QStringLiteral("Kancelář"));
    w.goWithNeTo(PageZaver);
    w.goNext();
    EXPECT_FALSE(w.form.isVisible());
    EXPECT_EQ(w.form.result(), QDialog::Accepted);
    ASSERT_EQ(w.editing.stored.size(), 1);
    EXPECT_EQ(w.editing.stored[0].name, QStringLiteral("Kancelář"));
    for (int mask : w.editing.stored[0].masks)
        EXPECT_EQ(mask, 1);
}

TEST(WizardForm, FinishingStoresTheDerivedMasks)
{
    Wizard w;
    w.get<QLineEdit>("NameEdit")->setText(QStringLiteral("Svářeč"));
    w.goNext();
    w.yes("PrachComboBox");
    w.clickButton("RadioButton2"); // dust 3
    w.goNext();
    w.yes("ChemComboBox");
    w.clickButton("RadioButton4");
    w.clickButton("RadioButton7");
    w.clickButton("RadioButton86"); // chemicals 4
    w.goNext();
    w.yes("AlergieComboBox");
    w.goNext();
    w.yes("HlukComboBox");
    w.clickButton("RadioButton10"); // noise 2
    w.goNext();
    w.yes("VibraComboBox");
    w.clickButton("RadioButton13");
    w.goNext();
    w.clickButton("RadioButton82");
    w.clickButton("RadioButton87");
    w.goNext();
    for (const char *box : {"CheckBox17", "CheckBox18", "CheckBox19"})
        w.clickButton(box); // vibration 2
    w.goNext();
    w.yes("NeionComboBox");
    for (const char *rb : {"RadioButton16", "RadioButton19", "RadioButton20"})
        w.clickButton(rb); // radiation 3
    w.goNext();
    w.yes("FyzMainComboBox");
    w.no("Fyz1ComboBox");
    w.goNext();
    w.no("FyzMalComboBox");
    w.goNext();
    w.yes("FyzStatComboBox");
    w.clickLabel("ZLabel18"); // physical load 3
    w.goNext();
    w.no("FyzBremComboBox");
    w.goNext();
    w.goWithNeTo(PageTeplo);
    w.yes("TeploComboBox");
    w.clickLabel("JvHTLabel1"); // heat 2
    w.goNext();
    w.yes("ChladComboBox"); // cold 1, nothing ticked
    w.goNext();
    w.yes("PsychiComboBox");
    w.clickButton("CheckBox4");
    w.clickButton("CheckBox8"); // psychological 3
    w.goWithNeTo(PageBio);
    w.yes("BioComboBox");
    w.clickLabel("Label7"); // biological 4
    w.goNext();
    w.yes("TlakComboBox");
    w.clickButton("RadioButton51"); // pressure 2
    w.goNext();
    ASSERT_EQ(w.page(), PageZaver);
    w.goNext();

    ASSERT_EQ(w.editing.stored.size(), 1);
    EXPECT_EQ(w.editing.stored[0].name, QStringLiteral("Svářeč"));
    const std::array<int, 13> expected = {4, 8, 2, 2, 4, 4, 1, 2, 1, 4, 1, 8, 2};
    EXPECT_EQ(w.editing.stored[0].masks, expected);
}
