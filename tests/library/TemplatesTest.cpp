#include "LibraryFixtures.h"

#include "library/core/MeasureTemplates.h"
#include "library/core/VzorInsertion.h"

#include <QFileInfo>

using namespace ergotab;
using namespace ergotab::library;
using namespace ergotab::test;

namespace {

constexpr int Hluk = 3;

class Templates : public ::testing::Test
{
protected:
    void make(const QList<TemplateRow> &rows)
    {
        table = makeTemplateTable(dir.file(QStringLiteral("Vzory.dbf")), rows);
        templates = std::make_unique<MeasureTemplates>(*table);
    }

    // "Vzor" with the masks; the chooser answers from `answers` and records what it was offered.
    QString vzor(const QString &memo, const FactorMasks &masks, QList<int> answers = {})
    {
        return appendMeasureTemplates(memo, masks, *templates, [&](int factor, const QStringList &specs) {
            offered.append({factor, specs});
            return answers.isEmpty() ? -1 : answers.takeFirst();
        });
    }

    TempDir dir;
    std::unique_ptr<dbf::Table> table;
    std::unique_ptr<MeasureTemplates> templates;
    QList<std::pair<int, QStringList>> offered;
};

} // namespace

TEST_F(Templates, CompletionListSkipsEmptyAndCoveredSpecifications)
{
    make({{Hluk, QStringLiteral("Hluk nad 85 dB"), QStringLiteral("a")},
          {Hluk, QStringLiteral("hluk"), QStringLiteral("b")},
          {Hluk, QString(), QStringLiteral("c")},
          {Hluk, QStringLiteral("do 85"), QStringLiteral("d")},
          {Hluk, QStringLiteral("do 85 dB"), QStringLiteral("e")},
          {1, QStringLiteral("jiný faktor"), QStringLiteral("f")}});
    EXPECT_EQ(templates->completionList(Hluk),
              (QStringList {QStringLiteral("Hluk nad 85 dB"), QStringLiteral("do 85"), QStringLiteral("do 85 dB")}));
    EXPECT_EQ(templates->specifications(Hluk).size(), 5) << "the chooser lists every one";

    const QStringList list {QStringLiteral("Hluk nad 85 dB"), QStringLiteral("do 85 dB")};
    EXPECT_EQ(completeSpecification(list, QStringLiteral("hl")), QStringLiteral("Hluk nad 85 dB"));
    EXPECT_EQ(completeSpecification(list, QStringLiteral("x")), QString());
    EXPECT_EQ(completeSpecification(list, QString()), QString());
}

TEST_F(Templates, FindIsExactSaveReplacesOrAppendsRemovePacks)
{
    make({{Hluk, QStringLiteral("do 85 dB"), QStringLiteral("první")},
          {Hluk, QStringLiteral("do 85 dB"), QStringLiteral("druhý")},
          {4, QStringLiteral("do 85 dB"), QStringLiteral("vibrace")}});
    EXPECT_EQ(templates->find(Hluk, QStringLiteral("do 85 dB")), QStringLiteral("první")) << "the first wins";
    EXPECT_FALSE(templates->find(Hluk, QStringLiteral("DO 85 dB"))) << "letter case counts";
    EXPECT_FALSE(templates->find(Hluk, QStringLiteral("do 85")));

    templates->save(Hluk, QStringLiteral("do 85 dB"), QStringLiteral("nový\r\ntext"));
    EXPECT_EQ(templates->find(Hluk, QStringLiteral("do 85 dB")), QStringLiteral("nový\r\ntext"));
    EXPECT_EQ(templates->find(4, QStringLiteral("do 85 dB")), QStringLiteral("vibrace"));
    const QString longSpec(60, QLatin1Char('x'));
    templates->save(Hluk, longSpec, QStringLiteral("dlouhá"));
    EXPECT_EQ(templates->find(Hluk, longSpec.left(50)), QStringLiteral("dlouhá"));
    templates->save(Hluk, QString(), QStringLiteral("bez specifikace"));
    EXPECT_EQ(templates->find(Hluk, QString()), QStringLiteral("bez specifikace"));
    EXPECT_EQ(templates->specifications(Hluk).size(), 4);

    const qint64 sizeBefore = QFileInfo(dir.file(QStringLiteral("Vzory.dbf"))).size();
    EXPECT_TRUE(templates->remove(Hluk, QStringLiteral("do 85 dB")));
    EXPECT_FALSE(templates->remove(Hluk, QStringLiteral("nic takového")));
    EXPECT_EQ(templates->find(Hluk, QStringLiteral("do 85 dB")), QStringLiteral("druhý"));
    EXPECT_LT(QFileInfo(dir.file(QStringLiteral("Vzory.dbf"))).size(), sizeBefore) << "packed";
    EXPECT_TRUE(table->isOpen());
    EXPECT_FALSE(table->isExclusive());
}

TEST_F(Templates, VzorAsksOnlyWhenAFactorHasSeveralTemplates)
{
    make({{Hluk, QStringLiteral("do 85 dB"), QStringLiteral("Chrániče sluchu poskytnout.")},
          {Hluk, QStringLiteral("nad 85 dB"), QStringLiteral("Chrániče sluchu nosit.\r\nMěřit hluk.")},
          {1, QStringLiteral("do PEL"), QStringLiteral("Odsávání.\r\n")}});

    // Category 1 alone asks for nothing.
    EXPECT_EQ(vzor(QStringLiteral("Stávající"), masksOf({{1, 1}, {Hluk, 1}})), QStringLiteral("Stávající"));
    EXPECT_TRUE(offered.isEmpty());

    // Noise in category 3 with the second specification chosen, after a memo without a line end.
    EXPECT_EQ(vzor(QStringLiteral("Stávající"), masksOf({{Hluk, 4}}), {1}),
              QStringLiteral("Stávající\n-- Hluk nad 85 dB\nChrániče sluchu nosit.\nMěřit hluk.\n\n"));
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0].first, Hluk);
    EXPECT_EQ(offered[0].second, (QStringList {QStringLiteral("do 85 dB"), QStringLiteral("nad 85 dB")}));

    // Two factors in factor order; the only template of dust is taken without asking.
    offered.clear();
    EXPECT_EQ(vzor(QString(), masksOf({{Hluk, 2}, {1, 3}}), {0}),
              QStringLiteral("-- Prach do PEL\nOdsávání.\n\n\n-- Hluk do 85 dB\nChrániče sluchu poskytnout.\n\n"));
    EXPECT_EQ(offered.size(), 1);

    // Nothing chosen and no template with an empty specification: nothing for that factor.
    EXPECT_EQ(vzor(QString(), masksOf({{Hluk, 8}})), QString());
}

TEST_F(Templates, VzorWithAnEmptySpecificationAndWithNoTemplates)
{
    make({{Hluk, QString(), QStringLiteral("Obecně.")}, {Hluk, QStringLiteral("nad 85 dB"), QStringLiteral("Více.")}});
    EXPECT_EQ(vzor(QStringLiteral("a\n"), masksOf({{Hluk, 2}}), {0}), QStringLiteral("a\n-- Hluk \nObecně.\n\n"));
    EXPECT_EQ(vzor(QString(), masksOf({{Hluk, 2}})), QStringLiteral("-- Hluk \nObecně.\n\n"))
        << "closing the chooser without a choice finds the empty specification";
    EXPECT_EQ(vzor(QString(), masksOf({{2, 4}, {5, 4}})), QString()) << "factors without templates";
}
