#include "workers/WorkerRegister.h"
#include "workers/DateText.h"
#include "workers/MaskedField.h"
#include "workers/WorkerFields.h"

#include "storage/document/Document.h"
#include "tests/support/TempDir.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace ergotab::workers::test {

namespace {

class RecordingProgress : public ProgressSink
{
public:
    void showProgress(const QString &text, int maximum) override
    {
        shownText = text;
        shownMaximum = maximum;
        visible = true;
    }
    void stepProgress() override { ++steps; }
    void setProgress(int) override { }
    void hideProgress() override { visible = false; }

    QString shownText;
    int shownMaximum = -1;
    int steps = 0;
    bool visible = false;
};

// A register on a started document; rows written by hand leave the modified flag clear.
class WorkerRegisterTest : public ::testing::Test
{
protected:
    void SetUp() override { document.start(); }
    void TearDown() override { document.shutDown(); }

    void addWorker(int index, const QString &lName, const QString &fName = QString())
    {
        dbf::Table &t = document.workers();
        t.append();
        t.setFieldInt(field::Index, index);
        t.setFieldText(field::LName, lName);
        t.setFieldText(field::FName, fName);
        t.post();
        document.setModified(false);
    }
    void addLink(int worker, int assessment)
    {
        document.links().appendRecord({worker, assessment});
        document.setModified(false);
    }
    QList<QPair<int, int>> links()
    {
        QList<QPair<int, int>> out;
        dbf::Table &t = document.links();
        for (t.first(); !t.eof(); t.next())
            out.append({t.fieldInt(field::WIndex), t.fieldInt(field::TIndex)});
        return out;
    }
    // The record count in the file's header: deleted rows counted until the table is packed.
    int recordsInFile(const QString &name)
    {
        const QByteArray head = ergotab::test::TempDir::read(document.workFolder() + name).left(8);
        return head.size() < 8 ? -1 : qFromLittleEndian<qint32>(head.constData() + 4);
    }

    Document document;
    WorkerRegister reg {document};
};

TEST_F(WorkerRegisterTest, AddTakesTheNextIndexWithBothChoicesUnsetAndMarksTheDocument)
{
    EXPECT_EQ(reg.add(), 1);
    EXPECT_TRUE(document.isModified());
    const std::optional<WorkerRecord> added = reg.find(1);
    ASSERT_TRUE(added);
    WorkerRecord empty;
    EXPECT_EQ(*added, empty) << "everything empty, LenType and Result -1";
    EXPECT_TRUE(document.workers().isFieldEmpty(field::RiskLen));

    // An opened document: the highest Index is found by a scan, then remembered.
    document.forgetHighestIndexes();
    addWorker(7, QStringLiteral("Sedm"));
    EXPECT_EQ(reg.add(), 8);
    EXPECT_EQ(reg.add(), 9);
}

TEST_F(WorkerRegisterTest, StoreWritesEveryFieldAndCutsLongTextsAtWholeCharacters)
{
    const int index = reg.add();
    WorkerRecord w;
    w.persNum = QStringLiteral("A-17");
    w.profese = QStringLiteral("Svářeč");
    // 19 letters and then an "é" typed as "e" and a combining accent: the field takes all 20
    // characters, never the bare "e".
    w.lName = QStringLiteral("Přílišžluťoučkýkůňú") + QStringLiteral("e\u0301xyz");
    w.fName = QStringLiteral("Jiří");
    w.birthDate = QStringLiteral("01.02.1970");
    w.birthNum = QStringLiteral("700201-123 ");
    w.address = QStringLiteral("Dlouhá 5");
    w.zip = QStringLiteral("110 00");
    w.city = QStringLiteral("Praha");
    w.riskLen = QStringLiteral(" 12 ");
    w.lenType = 1;
    w.reviDate = QStringLiteral("31.12.2025");
    w.result = 2;
    document.setModified(false);

    const std::optional<WorkerRecord> stored = reg.store(index, w);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(document.isModified());
    WorkerRecord expected = w;
    expected.lName = QStringLiteral("Přílišžluťoučkýkůňúé");
    expected.birthNum = QStringLiteral("700201-123");
    expected.riskLen = QStringLiteral("12");
    EXPECT_EQ(*stored, expected);
    EXPECT_EQ(reg.find(index), expected);
    EXPECT_EQ(document.workers().fieldInt(field::RiskLen), 12);
    EXPECT_EQ(document.workers().fieldInt(field::LenType), 1);
    EXPECT_FALSE(reg.store(99, w)) << "no such worker: nothing stored";
}

TEST_F(WorkerRegisterTest, AFailedStoreChangesNothingAndLeavesTheTableUsable)
{
    addWorker(1, QStringLiteral("Novák"), QStringLiteral("Jan"));
    const WorkerRecord before = *reg.find(1);
    WorkerRecord w = before;
    w.lName = QStringLiteral("Jiný");
    for (const QString &length : {QString(), QStringLiteral("12a"), QStringLiteral("1 2"), QStringLiteral("--3")}) {
        w.riskLen = length;
        try {
            reg.store(1, w);
            ADD_FAILURE() << "stored with the length " << length.toStdString();
        } catch (const AppError &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value").arg(length));
        }
    }
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(reg.find(1), before);
    // The table is not left half edited: the next commands post only their own rows.
    EXPECT_EQ(reg.add(), 2);
    EXPECT_EQ(reg.find(1), before);
    w.riskLen = QStringLiteral("-5");
    EXPECT_EQ(reg.store(1, w)->riskLen, QStringLiteral("-5"));
}

TEST_F(WorkerRegisterTest, RemoveTakesTheWorkerWithItsLinksAndPacksBothTables)
{
    addWorker(1, QStringLiteral("A"));
    addWorker(2, QStringLiteral("B"));
    addWorker(3, QStringLiteral("C"));
    addLink(1, 10);
    addLink(2, 10);
    addLink(2, 11);
    addLink(3, 12);

    EXPECT_TRUE(reg.remove(2));
    EXPECT_TRUE(document.isModified()) << "a deletion must not be lost at closing";
    const QList<WorkerRow> rows = reg.rows(nullptr);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).index, 1);
    EXPECT_EQ(rows.at(1).index, 3);
    EXPECT_EQ(links(), (QList<QPair<int, int>> {{1, 10}, {3, 12}}));
    EXPECT_EQ(recordsInFile(QStringLiteral("Worker.dbf")), 2);
    EXPECT_EQ(recordsInFile(QStringLiteral("Link.dbf")), 2);

    // A worker that is gone: its stray links still go; nothing gone, nothing modified.
    document.setModified(false);
    addLink(9, 13);
    EXPECT_FALSE(reg.remove(9));
    EXPECT_TRUE(document.isModified());
    document.setModified(false);
    EXPECT_FALSE(reg.remove(9));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(links(), (QList<QPair<int, int>> {{1, 10}, {3, 12}}));
}

TEST_F(WorkerRegisterTest, RowsComeInRecordOrderUnderTheirProgressText)
{
    addWorker(5, QStringLiteral("Pátý"), QStringLiteral("Petr"));
    addWorker(2, QStringLiteral("Druhá"), QStringLiteral("Eva"));
    addWorker(9, QString(), QString());
    document.workers().setFilter(QStringLiteral("Index=2"));
    document.workers().setFiltered(true);

    RecordingProgress progress;
    const QList<WorkerRow> rows = reg.rows(&progress);
    ASSERT_EQ(rows.size(), 3) << "a filter left by someone else does not hide workers";
    EXPECT_EQ(rows.at(0).index, 5);
    EXPECT_EQ(rows.at(0).text, QStringLiteral("Pátý Petr"));
    EXPECT_EQ(rows.at(1).text, QStringLiteral("Druhá Eva"));
    EXPECT_EQ(rows.at(2).text, QStringLiteral(" "));
    EXPECT_EQ(progress.shownText, QStringLiteral("Načítám zaměstnance"));
    EXPECT_EQ(progress.shownMaximum, 3);
    EXPECT_EQ(progress.steps, 3);
    EXPECT_FALSE(progress.visible);
}

TEST(WorkerTexts, WholeNumbersDatesAndMaskPositions)
{
    EXPECT_EQ(parseWholeNumber(QStringLiteral("12")), 12);
    EXPECT_EQ(parseWholeNumber(QStringLiteral("-7 ")), -7);
    EXPECT_THROW(parseWholeNumber(QStringLiteral("1.5")), AppError);
    EXPECT_THROW(parseWholeNumber(QStringLiteral("٣")), AppError) << "digits of other scripts";

    EXPECT_EQ(parseDateText(QStringLiteral("1.2.2003")), QDate(2003, 2, 1));
    EXPECT_EQ(parseDateText(QStringLiteral("31/12/1999")), QDate(1999, 12, 31));
    EXPECT_FALSE(parseDateText(QStringLiteral("31.02.2003")).isValid());
    EXPECT_FALSE(parseDateText(QStringLiteral("1.2.03")).isValid());
    EXPECT_FALSE(parseDateText(QString()).isValid());
    EXPECT_EQ(formatDateText(QDate(2003, 2, 1)), QStringLiteral("01.02.2003"));
    EXPECT_EQ(formatDateText(QDate()), QString());

    const QString birth = QStringLiteral("999999-9990");
    EXPECT_EQ(firstMissingPosition(birth, QStringLiteral("123456-789 ")), -1) << "the last digit is optional";
    EXPECT_EQ(firstMissingPosition(birth, QStringLiteral("12345 -789 ")), 5);
    EXPECT_EQ(firstMissingPosition(birth, QStringLiteral("123456-7 9 ")), 8);
    EXPECT_EQ(firstMissingPosition(QStringLiteral("999 99"), QStringLiteral("123 4 ")), 5);
    EXPECT_EQ(firstMissingPosition(QStringLiteral(">\\A99"), QStringLiteral("A1 ")), 2) << "escapes and case marks";
}

} // namespace

} // namespace ergotab::workers::test
