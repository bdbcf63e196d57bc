// Other dBase readers and writers from Debian agree with the engine, field by field.
// The peers are run as they are installed; a missing one fails the test.
#include "ObjectTable.h"
#include "tests/support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
using dbf::FieldKind;
using dbf::Table;

namespace {

QString peer(const char *name)
{
    return QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/storage/dbf/peers/") + QLatin1String(name);
}

QJsonObject runPeer(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    const bool finished = p.waitForFinished(120000);
    const QByteArray out = p.readAllStandardOutput();
    EXPECT_TRUE(finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << program.toStdString() << " " << args.join(QLatin1Char(' ')).toStdString()
        << " failed: " << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(out).object();
}

QJsonObject python(const char *script, const QStringList &args)
{
    return runPeer(QStringLiteral(ERGOTAB_PYTHON), QStringList {peer(script)} + args);
}

QJsonObject perl(const QStringList &args)
{
    return runPeer(QStringLiteral(ERGOTAB_PERL), QStringList {peer("read_xbase.pl")} + args);
}

// Every live row as the engine reads it, in physical order, field names upper case.
QList<QMap<QString, QString>> engineRows(const QString &path)
{
    Table t(path);
    t.open();
    QList<QMap<QString, QString>> rows;
    for (t.first(); !t.eof(); t.next()) {
        QMap<QString, QString> row;
        for (const dbf::FieldDef &f : t.fields())
            row.insert(f.name.toUpper(), t.fieldText(f.name));
        rows.append(row);
    }
    return rows;
}

enum class MemoMatch { Exact, Prefix };

void expectSameRows(const QList<QMap<QString, QString>> &engine, const QJsonArray &peerRows, MemoMatch memos,
                    const QStringList &memoFields, const char *who)
{
    ASSERT_EQ(peerRows.size(), engine.size()) << who;
    for (qsizetype r = 0; r < engine.size(); ++r) {
        const QJsonObject peerRow = peerRows.at(r).toObject();
        for (auto it = engine[r].constBegin(); it != engine[r].constEnd(); ++it) {
            ASSERT_TRUE(peerRow.contains(it.key())) << who << " lacks " << it.key().toStdString();
            const QString seen = peerRow.value(it.key()).toString();
            if (memos == MemoMatch::Prefix && memoFields.contains(it.key()))
                EXPECT_TRUE(seen.startsWith(it.value())) << who << " row " << r << " " << it.key().toStdString();
            else
                EXPECT_EQ(seen, it.value()) << who << " row " << r << " " << it.key().toStdString();
        }
    }
}

class EngineTablesForPeers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        object = dir.file(QStringLiteral("Object.dbf"));
        Table t(object);
        defineObjectTable(t);
        t.createTable();
        t.open();
        const QString longMemo = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy. ").repeated(60);
        t.appendRecord({1, 0, 0, QStringLiteral("Závod Ústí")});
        t.appendRecord({2,
                        1,
                        1,
                        QStringLiteral("Svářeč – dílna č. 3"),
                        1,
                        2,
                        4,
                        8,
                        5,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        15,
                        12,
                        3,
                        longMemo,
                        QStringLiteral("Hluk 85 dB"),
                        QStringLiteral("Chrániče sluchu")});
        t.appendRecord(
            {3, 1, 1, QStringLiteral("smazáno"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("pryč")});
        t.appendRecord({4, 1, 0,  QStringLiteral("Hala ŽĎÁR"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0, 0, {}, longMemo + longMemo});
        t.appendRecord({5, 0, 1, QStringLiteral("Kancelář"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 100000});
        ASSERT_TRUE(t.locate(QStringLiteral("Index"), 3));
        t.deleteRecord();
        t.close();

        worker = dir.file(QStringLiteral("Worker.dbf"));
        Table w(worker);
        w.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
        w.addFieldDef(QStringLiteral("FName"), FieldKind::String, 20);
        w.addFieldDef(QStringLiteral("LName"), FieldKind::String, 20);
        w.addFieldDef(QStringLiteral("Result"), FieldKind::Integer);
        w.createTable();
        w.open();
        w.appendRecord({1, QStringLiteral("Jiří"), QStringLiteral("Šťastný"), -1});
        w.appendRecord({2, QStringLiteral("Růžena"), QStringLiteral("Čížková"), 2});
        w.appendRecord({3, QStringLiteral("Ondřej"), QStringLiteral("Smazaný")});
        w.appendRecord({4, QStringLiteral("Žofie")});
        ASSERT_TRUE(w.locate(QStringLiteral("Index"), 3));
        w.deleteRecord();
        w.close();
    }

    TempDir dir;
    QString object;
    QString worker;
};

const QStringList objectMemos {QStringLiteral("POPIS"), QStringLiteral("MERENI"), QStringLiteral("OPATRENI")};

} // namespace

TEST_F(EngineTablesForPeers, DbfreadReadsTheSameValues)
{
    const QJsonObject seen = python("read_dbfread.py", {object});
    // dbfread may return a few bytes past a dBase IV memo, so memos compare as prefixes.
    expectSameRows(engineRows(object), seen.value(QStringLiteral("live")).toArray(), MemoMatch::Prefix, objectMemos,
                   "dbfread");
    const QJsonArray deleted = seen.value(QStringLiteral("deleted")).toArray();
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted.at(0).toObject().value(QStringLiteral("TEXT")).toString(), QStringLiteral("smazáno"));

    const QJsonObject workers = python("read_dbfread.py", {worker});
    expectSameRows(engineRows(worker), workers.value(QStringLiteral("live")).toArray(), MemoMatch::Exact, {},
                   "dbfread");
}

TEST_F(EngineTablesForPeers, PerlXBaseReadsTheSameValuesAndWalksTheIndex)
{
    const QJsonObject seen = perl({object, QStringLiteral("cp1250")});
    expectSameRows(engineRows(object), seen.value(QStringLiteral("live")).toArray(), MemoMatch::Exact, objectMemos,
                   "XBase");
    const QJsonArray deleted = seen.value(QStringLiteral("deleted")).toArray();
    ASSERT_EQ(deleted.size(), 1);
    EXPECT_EQ(deleted.at(0).toObject().value(QStringLiteral("POPIS")).toString(), QStringLiteral("pryč"));

    const QJsonObject index =
        perl({object, QStringLiteral("cp1250"), dir.file(QStringLiteral("Object.mdx")), QStringLiteral("UPLINK")});
    EXPECT_EQ(index.value(QStringLiteral("tags")).toArray(), QJsonArray({QStringLiteral("UPLINK")}));
    QJsonArray expected;
    for (const auto &[uplink, record] : {std::pair {0, 1}, {0, 5}, {1, 2}, {1, 3}, {1, 4}})
        expected.append(QJsonArray({uplink, record}));
    EXPECT_EQ(index.value(QStringLiteral("walk")).toArray(), expected);

    const QJsonObject workers = perl({worker, QStringLiteral("cp1250")});
    expectSameRows(engineRows(worker), workers.value(QStringLiteral("live")).toArray(), MemoMatch::Exact, {}, "XBase");
}

TEST_F(EngineTablesForPeers, PerlXBaseWalksAnIndexOfManyLevels)
{
    Table t(object);
    t.open();
    for (int i = 0; i < 6000; ++i)
        t.appendRecord({100 + i, (i * 7919) % 500});
    t.close();
    const QJsonObject index =
        perl({object, QStringLiteral("cp1250"), dir.file(QStringLiteral("Object.mdx")), QStringLiteral("UPLINK")});
    const QJsonArray walk = index.value(QStringLiteral("walk")).toArray();
    ASSERT_EQ(walk.size(), 6005);
    for (qsizetype i = 1; i < walk.size(); ++i) {
        const QJsonArray a = walk.at(i - 1).toArray(), b = walk.at(i).toArray();
        ASSERT_TRUE(a.at(0).toDouble() < b.at(0).toDouble() ||
                    (a.at(0).toDouble() == b.at(0).toDouble() && a.at(1).toInt() < b.at(1).toInt()))
            << "entry " << i;
    }
}

TEST_F(EngineTablesForPeers, PythonDbfReadsTablesWithoutMemos)
{
    const QJsonObject seen = python("read_pydbf.py", {worker});
    expectSameRows(engineRows(worker), seen.value(QStringLiteral("live")).toArray(), MemoMatch::Exact, {}, "dbf");
    ASSERT_EQ(seen.value(QStringLiteral("deleted")).toArray().size(), 1);
    EXPECT_EQ(
        seen.value(QStringLiteral("deleted")).toArray().at(0).toObject().value(QStringLiteral("LNAME")).toString(),
        QStringLiteral("Smazaný"));
}

// Text that is no date and time is refused, and the row is not added.
void expectEngineErrorOnBadStamp(Table &t)
{
    const int before = t.recordCount();
    EXPECT_THROW(t.appendRecord({QStringLiteral("špatně"), QStringLiteral("31. 2. 2024")}), dbf::EngineError);
    EXPECT_EQ(t.recordCount(), before);
}

class PythonDbfTables : public ::testing::TestWithParam<const char *>
{
};

TEST_P(PythonDbfTables, EngineReadsDbaseThreeAndFoxProTablesWithMemos)
{
    TempDir dir;
    const QString codepage = QLatin1String(GetParam());
    python("write_pydbf.py", {dir.path(), codepage});
    const QString longMemo = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy. ").repeated(40);
    for (const char *kind : {"db3", "fp"}) {
        SCOPED_TRACE(kind);
        Table t(dir.file(QLatin1String(kind) + QStringLiteral(".dbf")));
        t.open();
        ASSERT_EQ(t.recordCount(), 2);
        t.first();
        EXPECT_EQ(t.fieldText(QStringLiteral("name")), QStringLiteral("Žluťoučký kůň"));
        EXPECT_EQ(t.fieldInt(QStringLiteral("NUM")), 5);
        EXPECT_EQ(t.fieldText(QStringLiteral("amount")), QStringLiteral("12.50"));
        EXPECT_EQ(t.fieldText(QStringLiteral("memo")), longMemo);
        EXPECT_EQ(t.fieldText(QStringLiteral("flag")), QStringLiteral("T"));
        EXPECT_EQ(t.fieldText(QStringLiteral("day")), QStringLiteral("20240506"));
        t.next();
        EXPECT_EQ(t.fieldText(QStringLiteral("name")), QStringLiteral("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"));
        EXPECT_EQ(t.fieldInt(QStringLiteral("num")), -7);
        EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("amount")));
        EXPECT_EQ(t.fieldText(QStringLiteral("memo")), QString());
        EXPECT_EQ(t.fieldText(QStringLiteral("flag")), QStringLiteral("F"));
        t.next();
        EXPECT_TRUE(t.eof());

        // Rows added here are written in the table's own layout and code page.
        t.appendRecord({QStringLiteral("Přidáno"), 9, QStringLiteral("3.5"), QStringLiteral("nová poznámka ů")});
        t.close();
        const QJsonObject seen = python("read_dbfread.py", {t.tableName()});
        const QJsonArray live = seen.value(QStringLiteral("live")).toArray();
        ASSERT_EQ(live.size(), 3);
        const QJsonObject added = live.at(2).toObject();
        EXPECT_EQ(added.value(QStringLiteral("NAME")).toString(), QStringLiteral("Přidáno"));
        EXPECT_EQ(added.value(QStringLiteral("NUM")).toString(), QStringLiteral("9"));
        EXPECT_EQ(added.value(QStringLiteral("AMOUNT")).toString(), QStringLiteral("3.5"));
        EXPECT_TRUE(added.value(QStringLiteral("MEMO")).toString().startsWith(QStringLiteral("nová poznámka ů")));
        const QJsonObject again = python("read_pydbf.py", {t.tableName()});
        EXPECT_EQ(
            again.value(QStringLiteral("live")).toArray().at(2).toObject().value(QStringLiteral("MEMO")).toString(),
            QStringLiteral("nová poznámka ů"));
    }
}

TEST_P(PythonDbfTables, EngineReadsAndWritesVisualFoxProDateTimes)
{
    TempDir dir;
    python("write_pydbf.py", {dir.path(), QLatin1String(GetParam())});
    Table t(dir.file(QStringLiteral("vfp.dbf")));
    t.open();
    ASSERT_EQ(t.recordCount(), 2);
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("name")), QStringLiteral("Měření hluku"));
    EXPECT_EQ(t.fieldText(QStringLiteral("stamp")), QStringLiteral("2024-05-06 07:08:09"));
    EXPECT_EQ(t.fieldInt(QStringLiteral("num")), -5);
    EXPECT_EQ(t.fieldText(QStringLiteral("price")), QStringLiteral("12.5"));
    EXPECT_EQ(t.fieldText(QStringLiteral("memo")),
              QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy. ").repeated(40));
    t.next();
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("stamp")));
    EXPECT_EQ(t.fieldText(QStringLiteral("stamp")), QString());

    t.appendRecord({QStringLiteral("přidáno"), QStringLiteral("1999-12-31 23:59:58"), 7});
    expectEngineErrorOnBadStamp(t);
    t.close();
    const QJsonArray live = python("read_pydbf.py", {t.tableName()}).value(QStringLiteral("live")).toArray();
    ASSERT_EQ(live.size(), 3);
    EXPECT_EQ(live.at(0).toObject().value(QStringLiteral("STAMP")).toString(), QStringLiteral("2024-05-06 07:08:09"));
    EXPECT_EQ(live.at(2).toObject().value(QStringLiteral("STAMP")).toString(), QStringLiteral("1999-12-31 23:59:58"));
    EXPECT_EQ(live.at(2).toObject().value(QStringLiteral("NAME")).toString(), QStringLiteral("přidáno"));
}

INSTANTIATE_TEST_SUITE_P(CodePages, PythonDbfTables, ::testing::Values("cp1250", "cp852"));
