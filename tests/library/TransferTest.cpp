#include "LibraryFixtures.h"

#include "library/core/LibraryTransfer.h"

using namespace ergotab;
using namespace ergotab::test;

namespace {

class SetTicks : public library::SampleTicks
{
public:
    SetTicks(std::initializer_list<int> ticked)
        : ticked(ticked)
    {
    }
    bool isTicked(int index) const override { return ticked.contains(index); }
    void untick(int index) override { ticked.remove(index); }
    QSet<int> ticked;
};

// What the document holds, as "name<upLink" in creation order, with the parent's name.
QStringList shape(const FakeDocument &doc)
{
    QStringList out;
    for (const FakeDocument::Record &r : doc.records) {
        const FakeDocument::Record *parent = doc.find(r.upLink);
        out.append(r.name + QLatin1Char('<') + (parent ? parent->name : QStringLiteral("top")));
    }
    return out;
}

class Transfer : public ::testing::Test
{
protected:
    // Top level, in record order: ticked node B, unticked node A with ticked node C and a
    // ticked assessment X inside it, and a ticked assessment Y at the top.
    void SetUp() override
    {
        samples = makeSampleTable(dir.file(QStringLiteral("Object.dbf")),
                                  {{7, 0, 1, QStringLiteral("Y"), masksOf({{3, 4}})},
                                   {1, 0, 0, QStringLiteral("B")},
                                   {2, 0, 0, QStringLiteral("A")},
                                   {3, 2, 0, QStringLiteral("C")},
                                   {4, 2, 1, QStringLiteral("X"), masksOf({{1, 2}, {12, 8}})}});
    }

    int run(int destination, SetTicks &ticks)
    {
        return library::transferTickedSamples(*samples, destination, doc, ticks);
    }

    TempDir dir;
    std::unique_ptr<dbf::Table> samples;
    FakeDocument doc;
};

} // namespace

TEST_F(Transfer, UntickedNodesLeaveNoTraceAndTheirTickedContentsGoToTheDestination)
{
    SetTicks ticks {1, 3, 4, 7};
    EXPECT_EQ(run(0, ticks), 4);
    // Nodes first (B, then through A: C, then A's assessment X), then the top-level assessment.
    EXPECT_EQ(shape(doc), (QStringList {QStringLiteral("B<top"), QStringLiteral("C<top"), QStringLiteral("X<top"),
                                        QStringLiteral("Y<top")}));
    EXPECT_EQ(doc.records[0].index, 1);
    EXPECT_EQ(doc.records[3].index, 4);
    EXPECT_TRUE(ticks.ticked.isEmpty());
}

TEST_F(Transfer, PlacementFollowsTheSelectedDocumentItem)
{
    const int office = doc.addExisting(0, 0, QStringLiteral("Kanceláře"));
    const int clerk = doc.addExisting(office, 1, QStringLiteral("Účetní"));

    SetTicks underNode {1, 3, 7};
    run(office, underNode);
    EXPECT_EQ(shape(doc).mid(2), (QStringList {QStringLiteral("B<Kanceláře"), QStringLiteral("C<Kanceláře"),
                                               QStringLiteral("Y<Kanceláře")}));

    doc.records = doc.records.mid(0, 2);
    SetTicks besideAssessment {4, 7};
    run(clerk, besideAssessment);
    EXPECT_EQ(shape(doc).mid(2), (QStringList {QStringLiteral("X<Kanceláře"), QStringLiteral("Y<Kanceláře")}));
}

TEST_F(Transfer, ATickedNodeTakesItsTickedContentsAndNothingElse)
{
    SetTicks ticks {2, 4};
    run(0, ticks);
    EXPECT_EQ(shape(doc), (QStringList {QStringLiteral("A<top"), QStringLiteral("X<A")}));

    FakeDocument alone;
    SetTicks nodeOnly {2};
    library::transferTickedSamples(*samples, 0, alone, nodeOnly);
    EXPECT_EQ(shape(alone), QStringList {QStringLiteral("A<top")});
}

TEST_F(Transfer, AssessmentsCarryNameAndMasksOnly)
{
    SetTicks ticks {4};
    run(0, ticks);
    ASSERT_EQ(doc.records.size(), 1);
    EXPECT_EQ(doc.records[0].type, 1);
    EXPECT_EQ(doc.records[0].masks, masksOf({{1, 2}, {12, 8}}));
}

TEST(TransferEdges, DeepAssessmentsOrphansAndLoopsInADamagedLibrary)
{
    TempDir dir;
    auto samples = makeSampleTable(dir.file(QStringLiteral("Object.dbf")), {{1, 0, 0, QStringLiteral("L1")},
                                                                            {2, 1, 0, QStringLiteral("L2")},
                                                                            {3, 2, 0, QStringLiteral("L3")},
                                                                            {4, 3, 1, QStringLiteral("deep")},
                                                                            {5, 99, 1, QStringLiteral("orphan")},
                                                                            {0, 0, 0, QStringLiteral("zero")},
                                                                            {6, 6, 0, QStringLiteral("self")}});
    FakeDocument doc;
    const int target = doc.addExisting(0, 0, QStringLiteral("Cíl"));
    SetTicks ticks {4, 5, 0, 6};
    library::transferTickedSamples(*samples, target, doc, ticks);
    EXPECT_EQ(shape(doc),
              (QStringList {QStringLiteral("Cíl<top"), QStringLiteral("deep<Cíl"), QStringLiteral("zero<Cíl")}));
    // Never visited, so still ticked for the next showing.
    EXPECT_EQ(ticks.ticked, (QSet<int> {5, 6}));
    // A row that is its own parent through Index 0 is taken once; the filter is left on.
    EXPECT_TRUE(samples->isFiltered());
}
