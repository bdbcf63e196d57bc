// A table cut short or with memo pointers past the end of its memo file is told apart from a
// sound one, and its working copy can be turned into what could be read.
#include "storage/dbf/TableDamage.h"
#include "DbfBytes.h"
#include "storage/dbf/Table.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;

namespace {

const QList<HandField> kFields {{"NAME", 'C', 4}, {"NOTE", 'M', 10}};

} // namespace

TEST(DamagedTables, RowsMissingAndMemosPastTheEndAreCountedThenSalvaged)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Object.dbf"));
    QByteArray table =
        handTable(0x8B, 0xC8, kFields,
                  {QByteArray(" ab           1"), QByteArray(" cd        9999"), QByteArray(" ef           1")});
    table.replace(4, 4, le32(46)); // the header counts rows the file no longer holds
    table.chop(1);                 // and the end-of-file marker is gone with them
    TempDir::write(path, table);
    TempDir::write(dir.file(QStringLiteral("Object.dbt")), handDbt4({QByteArray("memo")}));

    const dbf::TableDamage damage = dbf::inspectTable(path);
    EXPECT_TRUE(damage.isDamaged());
    EXPECT_EQ(damage.table, QStringLiteral("Object.dbf"));
    EXPECT_EQ(damage.memoFile, QStringLiteral("Object.dbt"));
    EXPECT_EQ(damage.rowsInHeader, 46);
    EXPECT_EQ(damage.rowsInFile, 3);
    EXPECT_EQ(damage.unreadableMemos, 1);
    EXPECT_EQ(TempDir::read(path), table) << "inspecting changes nothing";

    dbf::salvageTable(path, damage);
    EXPECT_EQ(TempDir::read(path).mid(4, 4), le32(3));
    const dbf::TableDamage after = dbf::inspectTable(path);
    EXPECT_FALSE(after.isDamaged());
    dbf::Table salvaged(path);
    salvaged.open();
    QStringList notes;
    for (salvaged.first(); !salvaged.eof(); salvaged.next())
        notes << salvaged.fieldText(QStringLiteral("NAME")) + QLatin1Char('=') +
                     salvaged.fieldText(QStringLiteral("NOTE"));
    EXPECT_EQ(notes, (QStringList {QStringLiteral("ab=memo"), QStringLiteral("cd="), QStringLiteral("ef=memo")}));
}

TEST(DamagedTables, ASoundTableAndOneWithoutMemosAreNotDamaged)
{
    TempDir dir;
    const QString withMemo = dir.file(QStringLiteral("memo.dbf"));
    TempDir::write(withMemo,
                   handTable(0x8B, 0xC8, kFields, {QByteArray(" ab           1"), QByteArray(" cd          ")}));
    TempDir::write(dir.file(QStringLiteral("memo.dbt")), handDbt4({QByteArray("memo")}));
    const dbf::TableDamage sound = dbf::inspectTable(withMemo);
    EXPECT_FALSE(sound.isDamaged());
    EXPECT_EQ(sound.rowsInFile, 2);

    const QString plain = dir.file(QStringLiteral("plain.dbf"));
    TempDir::write(plain, handTable(0x03, 0xC8, {{"A", 'C', 3}}, {QByteArray(" one")}));
    const dbf::TableDamage noMemo = dbf::inspectTable(plain);
    EXPECT_FALSE(noMemo.isDamaged());
    EXPECT_TRUE(noMemo.memoFile.isEmpty());
}
