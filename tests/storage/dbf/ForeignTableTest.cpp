// Tables written by other programs: each dialect read from hand-built bytes, and rows added
// to it written back in that dialect's own layout and code page.
#include "DbfBytes.h"
#include "storage/dbf/LanguageDriver.h"
#include "storage/dbf/Table.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
using dbf::Table;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

TEST(ForeignTables, LanguageDriversChooseTheCodePage)
{
    using dbf::codePageForDriver;
    EXPECT_EQ(codePageForDriver(0x1F, {}), CodePage::Cp852);
    EXPECT_EQ(codePageForDriver(0x64, {}), CodePage::Cp852);
    EXPECT_EQ(codePageForDriver(0x20, {}), CodePage::Cp867);
    EXPECT_EQ(codePageForDriver(0x01, {}), CodePage::Cp437);
    EXPECT_EQ(codePageForDriver(0x02, {}), CodePage::Cp850);
    EXPECT_EQ(codePageForDriver(0xC8, {}), CodePage::Windows1250);
    EXPECT_EQ(codePageForDriver(0xC9, {}), CodePage::Windows1251);
    // Windows ANSI drivers and no driver: the writer's ANSI code page, Windows-1250 here.
    EXPECT_EQ(codePageForDriver(0x03, {}), CodePage::Windows1250);
    EXPECT_EQ(codePageForDriver(0x57, {}), CodePage::Windows1250);
    EXPECT_EQ(codePageForDriver(0x00, {}), CodePage::Windows1250);
    EXPECT_EQ(codePageForDriver(0x00, "DBWINUS0"), CodePage::Windows1250);
    EXPECT_EQ(codePageForDriver(0x00, "DB852CZ0"), CodePage::Cp852);
    EXPECT_EQ(codePageForDriver(0x00, "DB867CZ0"), CodePage::Cp867);
    EXPECT_EQ(codePageForDriver(0x00, "DB437US0"), CodePage::Cp437);
}

TEST(ForeignTables, DbaseThreeWithMemoReadAndAppendedInItsLayout)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("OLD.DBF"));
    const QList<HandField> fields {{"NAME", 'C', 12}, {"COUNT", 'N', 5}, {"PRICE", 'N', 8, 2},
                                   {"OK", 'L', 1},    {"DAY", 'D', 8},   {"NOTE", 'M', 10}};
    // "Kůň" in cp852 (driver 0x1F): K, 0x85, 0xE5.
    TempDir::write(path, handTable(0x83, 0x1F, fields,
                                   {QByteArray(" K\x85\xE5"
                                               "         "
                                               "   42"
                                               "   -1.50"
                                               "T"
                                               "20240131"
                                               "         1"),
                                    QByteArray("*gone        "
                                               "    1"
                                               "    0.00"
                                               "F"
                                               "19991231"
                                               "          ")}));
    TempDir::write(dir.file(QStringLiteral("OLD.DBT")), handDbt3({QByteArray("P\xFD\xA1li\xE7 dlouh\xEC")}));

    Table t(path);
    t.open();
    EXPECT_EQ(t.recordCount(), 1);
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("name")), QStringLiteral("Kůň"));
    EXPECT_EQ(t.fieldInt(QStringLiteral("count")), 42);
    EXPECT_EQ(t.fieldText(QStringLiteral("price")), QStringLiteral("-1.50"));
    EXPECT_EQ(t.fieldInt(QStringLiteral("price")), -2); // rounded, as an integer read of a decimal
    EXPECT_EQ(t.fieldText(QStringLiteral("ok")), QStringLiteral("T"));
    EXPECT_EQ(t.fieldInt(QStringLiteral("ok")), 1);
    EXPECT_EQ(t.fieldText(QStringLiteral("day")), QStringLiteral("20240131"));
    EXPECT_EQ(t.fieldText(QStringLiteral("note")), QStringLiteral("Příliš dlouhý"));

    t.appendRecord({QStringLiteral("Žába"), 7, QStringLiteral("2.5"), QStringLiteral("F"), QStringLiteral("20000229"),
                    QStringLiteral("ďas")});
    t.close();
    const QByteArray f = TempDir::read(path);
    EXPECT_EQ(quint8(f[0]), 0x83);
    EXPECT_EQ(quint8(f[29]), 0x1F);
    EXPECT_EQ(f.mid(4, 4), le32(3));
    const int headerLength = 32 + 6 * 32 + 1;
    EXPECT_EQ(f.mid(headerLength + 2 * 45, 45), QByteArray(" \xA6\xA0"
                                                           "ba"
                                                           "        "
                                                           "    7"
                                                           "    2.50"
                                                           "F"
                                                           "20000229"
                                                           "         2"));
    EXPECT_EQ(f.size(), headerLength + 3 * 45 + 1);
    const QByteArray memo = TempDir::read(dir.file(QStringLiteral("OLD.DBT")));
    EXPECT_EQ(memo.left(4), le32(3));
    EXPECT_EQ(memo.mid(1024, 5), QByteArray("\xD4"
                                            "as\x1A\x1A"));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("OLD.mdx"))));
}

TEST(ForeignTables, DbaseFourMemoWithLargerBlocks)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("t.dbf"));
    TempDir::write(path,
                   handTable(0x8B, 0x00, {{"M", 'M', 10}}, {QByteArray("          1"), QByteArray("          3")}));
    TempDir::write(dir.file(QStringLiteral("t.dbt")), handDbt4({QByteArray(1500, 'a'), QByteArray("\x8A\x9E")}, 1024));
    Table t(path);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("M")), QString(1500, QLatin1Char('a')));
    t.next();
    EXPECT_EQ(t.fieldText(QStringLiteral("M")), QStringLiteral("Šž"));
    t.appendRecord({QStringLiteral("b")});
    t.close();
    const QByteArray memo = TempDir::read(dir.file(QStringLiteral("t.dbt")));
    EXPECT_EQ(memo.size(), 1024 * 5);
    EXPECT_EQ(memo.mid(4096, 9), hex("ffff080009000000") + "b");
}

TEST(ForeignTables, LevelSevenBinaryFieldsAutoIncrementAndDriverName)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("seven.dbf"));
    const QList<HandField> fields {{"ID", '+', 4},   {"NUM", 'I', 4},  {"VAL", 'O', 8},
                                   {"WHEN", '@', 8}, {"NAME", 'C', 6}, {"NOTE", 'M', 10}};
    QByteArray row1 = " " + level7Int(1) + level7Int(-1) + hex("c079400000000000") + hex("42cc418ba99a0000") +
                      QByteArray("\x9F\x85\x9C   ") + "0000000001";
    QByteArray row2 = " " + level7Int(2) + level7Int(290188) + hex("3f970051eb851eb7") + hex("42ccf9bdcaa9d000") +
                      QByteArray("x     ") + "0000000000";
    TempDir::write(path, handLevel7Table(true, "DB852CZ0", fields, {row1, row2}, 3));
    TempDir::write(dir.file(QStringLiteral("seven.dbt")), handDbt4({QByteArray("qwe")}));

    Table t(path);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldInt(QStringLiteral("ID")), 1);
    EXPECT_EQ(t.fieldInt(QStringLiteral("NUM")), -1);
    EXPECT_EQ(t.fieldText(QStringLiteral("VAL")), QStringLiteral("404"));
    EXPECT_EQ(t.fieldText(QStringLiteral("WHEN")), QStringLiteral("1970-01-01 00:00:00"));
    EXPECT_EQ(t.fieldText(QStringLiteral("NAME")), QStringLiteral("čůť"));
    EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QStringLiteral("qwe"));
    t.next();
    EXPECT_EQ(t.fieldInt(QStringLiteral("NUM")), 290188);
    EXPECT_EQ(t.fieldText(QStringLiteral("VAL")), QStringLiteral("-199.99"));
    EXPECT_EQ(t.fieldText(QStringLiteral("WHEN")), QStringLiteral("2020-02-20 20:20:20"));
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("NOTE")));
    ASSERT_TRUE(t.locate(QStringLiteral("NUM"), 290188));
    EXPECT_EQ(t.fieldInt(QStringLiteral("ID")), 2);

    t.append();
    t.setFieldInt(QStringLiteral("NUM"), 1);
    t.setFieldText(QStringLiteral("VAL"), QStringLiteral("0"));
    t.setFieldText(QStringLiteral("NAME"), QStringLiteral("ž"));
    t.setFieldText(QStringLiteral("NOTE"), QStringLiteral("nové"));
    t.post();
    EXPECT_EQ(t.fieldInt(QStringLiteral("ID")), 3);
    t.close();

    const QByteArray f = TempDir::read(path);
    const int headerLength = 68 + 6 * 48 + 1;
    EXPECT_EQ(quint8(f[0]), 0x8C);
    EXPECT_EQ(f.mid(4, 4), le32(3));
    EXPECT_EQ(f.mid(68 + 42, 4), le32(4)); // the next autoincrement value moved on
    const QByteArray rec = f.mid(headerLength + 2 * 41, 41);
    EXPECT_EQ(rec.mid(1, 4), level7Int(3));
    EXPECT_EQ(rec.mid(5, 4), hex("80000001"));
    EXPECT_EQ(rec.mid(9, 8), hex("8000000000000000"));
    EXPECT_EQ(rec.mid(17, 8), QByteArray(8, '\0')); // never set: empty
    EXPECT_EQ(rec.mid(25, 6), QByteArray("\xA7     "));
    EXPECT_EQ(rec.mid(31, 10), QByteArray("0000000002")); // level 7 pads memo pointers with zeros
}

TEST(ForeignTables, FoxProTableWithFptMemo)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("fox.dbf"));
    TempDir::write(path, handTable(0xF5, 0x64, {{"NAME", 'C', 4}, {"MEMO", 'M', 10}},
                                   {QByteArray(" \xAC"
                                               "ab         8")}));
    QByteArray fpt(512, '\0');
    fpt.replace(0, 4, be32(9));
    fpt[7] = 64; // block size 64, big-endian at offset 6
    fpt += be32(1) + be32(5) + QByteArray("\xA7lut\xEC");
    fpt.resize(576, '\0');
    TempDir::write(dir.file(QStringLiteral("fox.fpt")), fpt);

    Table t(path);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("NAME")), QStringLiteral("Čab"));
    EXPECT_EQ(t.fieldText(QStringLiteral("MEMO")), QStringLiteral("žlutý"));
    t.appendRecord({QStringLiteral("x"), QStringLiteral("ěěě")});
    t.close();
    const QByteArray memo = TempDir::read(dir.file(QStringLiteral("fox.fpt")));
    EXPECT_EQ(memo.left(4), be32(10));
    EXPECT_EQ(memo.mid(576, 11), be32(1) + be32(3) + QByteArray("\xD8\xD8\xD8"));
    EXPECT_EQ(TempDir::read(path).mid(32 + 64 + 1 + 15 + 1, 14), QByteArray("x            9"));
}

TEST(ForeignTables, VisualFoxProDateTimeIsJulianDayAndMilliseconds)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("vfp.dbf"));
    HandField name {"NAME", 'C', 4};
    HandField stamp {"STAMP", 'T', 8};
    // 2024-05-06 is Julian day 2460437; 07:08:09 is 25,689,000 ms after midnight.
    TempDir::write(path, handTable(0x30, 0x03, {name, stamp},
                                   {QByteArray(" \x8A"
                                               "ab ") +
                                        le32(2460437) + le32(25689000),
                                    QByteArray(" nic") + QByteArray(8, '\0')}));
    Table t(path);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("NAME")), QStringLiteral("Šab"));
    EXPECT_EQ(t.fieldText(QStringLiteral("STAMP")), QStringLiteral("2024-05-06 07:08:09"));
    t.next();
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("STAMP")));
    t.edit();
    t.setFieldText(QStringLiteral("STAMP"), QStringLiteral("2000-01-01T00:00:01"));
    t.post();
    t.close();
    EXPECT_EQ(TempDir::read(path).mid(32 + 64 + 1 + 13 + 5, 8), le32(2451545) + le32(1000));
}

TEST(ForeignTables, KamenickyTextAndFieldNamesInAnyCase)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("kam.dbf"));
    // "Žluťoučký" in Kamenický (cp867).
    TempDir::write(path, handTable(0x03, 0x20, {{"Text", 'C', 10}}, {QByteArray(" \x92lu\x9Fou\x87k\x98 ")}));
    Table t(path);
    t.setFilter(QStringLiteral("TEXT='Žluťoučký'"));
    t.setFiltered(true);
    t.open();
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.fieldText(QStringLiteral("text")), QStringLiteral("Žluťoučký"));
}
