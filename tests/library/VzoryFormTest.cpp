#include "LibraryFixtures.h"

#include "library/TVzoryForm.h"
#include "library/core/MeasureTemplates.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace ergotab;
using namespace ergotab::library;
using namespace ergotab::test;

namespace {

class VzoryForm : public ::testing::Test
{
protected:
    VzoryForm()
        : table(makeTemplateTable(dir.file(QStringLiteral("Vzory.dbf")),
                                  {{1, QStringLiteral("do PEL"), QStringLiteral("Odsávat.")},
                                   {3, QStringLiteral("Hluk nad 85 dB"), QStringLiteral("Nosit.\r\nMěřit.")},
                                   {3, QStringLiteral("do 85 dB"), QStringLiteral("Poskytnout.")}}))
        , form(*table, [this](const QString &, const QString &) { return ++asked, answer; })
    {
        form.show();
    }

    template <typename W> W *get(const char *name) { return form.findChild<W *>(QLatin1String(name)); }
    QLineEdit *spec() { return get<QComboBox>("ComboBox2")->lineEdit(); }
    QPlainTextEdit *memo() { return get<QPlainTextEdit>("Memo1"); }
    void chooseFactor(int n) { get<QComboBox>("ComboBox1")->setCurrentIndex(n - 1); }

    TempDir dir;
    std::unique_ptr<dbf::Table> table;
    int asked = 0;
    bool answer = true;
    TVzoryForm form;
};

} // namespace

TEST_F(VzoryForm, OpensBrowsingTheFirstFactor)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vzory opatření"));
    EXPECT_EQ(get<QComboBox>("ComboBox1")->count(), 13);
    EXPECT_EQ(get<QComboBox>("ComboBox1")->itemText(4),
              QStringLiteral(" 5 - Zátěž neionizujícím zářením a elmag. polem"));
    EXPECT_EQ(form.currentFactor(), 1);
    EXPECT_EQ(get<QComboBox>("ComboBox2")->count(), 1);
    EXPECT_FALSE(get<QPushButton>("BitBtn1")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("DeleteBitBtn")->isEnabled());
    EXPECT_EQ(memo()->toPlainText(), QString());
}

TEST_F(VzoryForm, TypingCompletesAndBackspaceTakesTheProposalWithTheLastLetter)
{
    chooseFactor(3);
    spec()->setFocus();
    QTest::keyClicks(spec(), QStringLiteral("hl"));
    EXPECT_EQ(spec()->text(), QStringLiteral("Hluk nad 85 dB"));
    EXPECT_EQ(spec()->selectedText(), QStringLiteral("uk nad 85 dB"));
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Nosit.\nMěřit."));
    EXPECT_FALSE(form.isEditing()) << "showing a template is no edit";

    QTest::keyClick(spec(), Qt::Key_Backspace);
    // "h" remains, which proposes the same item again.
    EXPECT_EQ(spec()->text(), QStringLiteral("Hluk nad 85 dB"));
    EXPECT_EQ(spec()->selectedText(), QStringLiteral("luk nad 85 dB"));

    QTest::keyClicks(spec(), QStringLiteral("x"));
    EXPECT_EQ(spec()->text(), QStringLiteral("Hx")) << "the completed item gave its own letter case";
    EXPECT_EQ(memo()->toPlainText(), QString());
}

TEST_F(VzoryForm, SaveReplacesOrAddsCancelRestoresDeletePacks)
{
    chooseFactor(3);
    get<QComboBox>("ComboBox2")->setCurrentIndex(1);
    emit get<QComboBox>("ComboBox2")->activated(1);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Poskytnout."));

    QTest::keyClicks(memo(), QStringLiteral(" a dale"));
    EXPECT_TRUE(form.isEditing());
    EXPECT_FALSE(get<QComboBox>("ComboBox1")->isEnabled());
    get<QPushButton>("BitBtn2")->click();
    EXPECT_FALSE(form.isEditing());
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("Poskytnout."));

    memo()->setPlainText(QStringLiteral("Poskytnout a proškolit.\nKontrola."));
    get<QPushButton>("BitBtn1")->click();
    EXPECT_FALSE(form.isEditing());
    MeasureTemplates templates(*table);
    EXPECT_EQ(templates.find(3, QStringLiteral("do 85 dB")), QStringLiteral("Poskytnout a proškolit.\r\nKontrola."));
    EXPECT_EQ(templates.specifications(3).size(), 2) << "replaced, not added";

    chooseFactor(3);
    spec()->setText(QStringLiteral("impulsní hluk"));
    memo()->setPlainText(QStringLiteral("Tlumit rázy."));
    get<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(templates.specifications(3).size(), 3);
    EXPECT_EQ(get<QComboBox>("ComboBox2")->count(), 3);
    EXPECT_EQ(spec()->text(), QStringLiteral("impulsní hluk")) << "the typed text stays";

    answer = false;
    get<QPushButton>("DeleteBitBtn")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(templates.specifications(3).size(), 3);
    answer = true;
    get<QPushButton>("DeleteBitBtn")->click();
    EXPECT_EQ(templates.specifications(3).size(), 2);
    EXPECT_EQ(memo()->toPlainText(), QString());
    EXPECT_TRUE(table->isOpen());
}
