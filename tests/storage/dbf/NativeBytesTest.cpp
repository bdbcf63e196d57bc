// The bytes of tables the engine creates, checked against the published layouts.
#include "DbfBytes.h"
#include "ObjectTable.h"
#include "storage/dbf/FieldCodec.h"
#include "tests/support/TempDir.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
using dbf::FieldKind;
using dbf::Table;

namespace {

} // namespace

TEST(NativeBytes, NewTableHeaderDescriptorsAndTerminator)
{
    TempDir dir;
    Table t(dir.file(QStringLiteral("Object.dbf")));
    defineObjectTable(t);
    t.createTable();
    const QByteArray f = TempDir::read(dir.file(QStringLiteral("Object.dbf")));
    const QDate today = QDate::currentDate();

    ASSERT_EQ(f.size(), 32 + 22 * 32 + 1 + 1);
    EXPECT_EQ(quint8(f[0]), 0x8B); // dBase IV with a dBase IV memo file
    EXPECT_EQ(quint8(f[1]), today.year() - 1900);
    EXPECT_EQ(quint8(f[2]), today.month());
    EXPECT_EQ(quint8(f[3]), today.day());
    EXPECT_EQ(f.mid(4, 4), le32(0));
    EXPECT_EQ(f.mid(8, 2), le16(32 + 22 * 32 + 1));
    EXPECT_EQ(f.mid(10, 2), le16(1 + 3 * 11 + 250 + 15 * 11 + 3 * 10));
    EXPECT_EQ(quint8(f[28]), 1);    // production index
    EXPECT_EQ(quint8(f[29]), 0xC8); // Windows-1250
    EXPECT_EQ(f.mid(12, 16), QByteArray(16, '\0'));

    const QByteArray index = f.mid(32, 32);
    EXPECT_EQ(index.left(11), QByteArray("INDEX\0\0\0\0\0\0", 11));
    EXPECT_EQ(index[11], 'N');
    EXPECT_EQ(quint8(index[16]), 11);
    EXPECT_EQ(quint8(index[17]), 0);
    EXPECT_EQ(quint8(index[31]), 0);
    const QByteArray uplink = f.mid(64, 32);
    EXPECT_EQ(uplink.left(7), QByteArray("UPLINK\0", 7));
    EXPECT_EQ(quint8(uplink[31]), 1); // the field carries the production-index tag
    const QByteArray text = f.mid(32 + 3 * 32, 32);
    EXPECT_EQ(text.left(5), QByteArray("TEXT\0", 5));
    EXPECT_EQ(text[11], 'C');
    EXPECT_EQ(quint8(text[16]), 250);
    EXPECT_EQ(quint8(text[17]), 0);
    const QByteArray popis = f.mid(32 + 19 * 32, 32);
    EXPECT_EQ(popis.left(6), QByteArray("POPIS\0", 6));
    EXPECT_EQ(popis[11], 'M');
    EXPECT_EQ(quint8(popis[16]), 10);
    EXPECT_EQ(f[32 + 22 * 32], '\x0D');
    EXPECT_EQ(f.back(), '\x1A');

    const QByteArray memo = TempDir::read(dir.file(QStringLiteral("Object.dbt")));
    ASSERT_EQ(memo.size(), 512);
    EXPECT_EQ(memo.left(4), le32(1));
    EXPECT_EQ(memo.mid(8, 8), QByteArray("OBJECT\0\0", 8));
    EXPECT_EQ(memo.mid(20, 2), le16(512));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Object.mdx"))));
}

TEST(NativeBytes, TableWithoutMemoOrIndexIsPlainDbase)
{
    TempDir dir;
    Table t(dir.file(QStringLiteral("Link.dbf")));
    t.addFieldDef(QStringLiteral("WIndex"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("TIndex"), FieldKind::Integer);
    t.createTable();
    const QByteArray f = TempDir::read(dir.file(QStringLiteral("Link.dbf")));
    EXPECT_EQ(quint8(f[0]), 0x03);
    EXPECT_EQ(quint8(f[28]), 0);
    EXPECT_EQ(quint8(f[29]), 0xC8);
    EXPECT_EQ(f.mid(10, 2), le16(23));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Link.dbt"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Link.mdx"))));
}

TEST(NativeBytes, PostedRowsAreWrittenThroughWithCountAndMemoBlocks)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Object.dbf"));
    Table t(path);
    defineObjectTable(t);
    t.createTable();
    t.open();
    t.append();
    t.setFieldInt(QStringLiteral("Index"), 7);
    t.setFieldInt(QStringLiteral("UpLink"), -12);
    t.setFieldText(QStringLiteral("Text"), QStringLiteral("Žluťoučký kůň"));
    t.setFieldText(QStringLiteral("Popis"), QStringLiteral("Měření hluku"));
    t.post();

    // Still open: the files on disk already hold the row.
    const QByteArray f = TempDir::read(path);
    const int headerLength = 32 + 22 * 32 + 1;
    const int recordLength = 479;
    ASSERT_EQ(f.size(), headerLength + recordLength + 1);
    EXPECT_EQ(f.mid(4, 4), le32(1));
    const QByteArray rec = f.mid(headerLength, recordLength);
    EXPECT_EQ(rec[0], ' ');
    EXPECT_EQ(rec.mid(1, 11), QByteArray("          7"));
    EXPECT_EQ(rec.mid(12, 11), QByteArray("        -12"));
    EXPECT_EQ(rec.mid(23, 11), QByteArray(11, ' ')); // never assigned: blank
    const QByteArray cz("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    EXPECT_EQ(rec.mid(34, 250), cz + QByteArray(250 - cz.size(), ' '));
    const int popisAt = 1 + 3 * 11 + 250 + 15 * 11;
    EXPECT_EQ(rec.mid(popisAt, 10), QByteArray("         1"));
    EXPECT_EQ(rec.mid(popisAt + 10, 10), QByteArray(10, ' '));
    EXPECT_EQ(f.back(), '\x1A');

    QByteArray memo = TempDir::read(dir.file(QStringLiteral("Object.dbt")));
    ASSERT_EQ(memo.size(), 1024);
    const QByteArray text("M\xEC\xF8\x65n\xED hluku");
    EXPECT_EQ(memo.mid(512, 8), QByteArray("\xFF\xFF\x08\x00", 4) + le32(quint32(8 + text.size())));
    EXPECT_EQ(memo.mid(520, text.size()), text);
    t.close();
    // Appends keep the next free block in memory; closing writes it to the header.
    memo = TempDir::read(dir.file(QStringLiteral("Object.dbt")));
    EXPECT_EQ(memo.left(4), le32(2));
}

TEST(NativeBytes, LongMemoSpansBlocksAndGrowingRewriteMovesToTheEnd)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Vzory.dbf"));
    Table t(path);
    t.addFieldDef(QStringLiteral("Faktor"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Text"), FieldKind::Memo);
    t.createTable();
    t.open();
    const QString longText = QString(1200, QLatin1Char('x'));
    t.appendRecord({1, longText});
    QByteArray memo = TempDir::read(dir.file(QStringLiteral("Vzory.dbt")));
    ASSERT_EQ(memo.size(), 512 * 4); // header + ceil(1208 / 512) = 3 blocks
    EXPECT_EQ(memo.mid(516, 4), le32(1208));

    t.edit();
    t.setFieldText(QStringLiteral("Text"), QStringLiteral("short"));
    t.post();
    memo = TempDir::read(dir.file(QStringLiteral("Vzory.dbt")));
    EXPECT_EQ(memo.size(), 512 * 4) << "a shorter memo is rewritten in its own blocks";
    EXPECT_EQ(memo.mid(516, 4), le32(13));

    t.edit();
    t.setFieldText(QStringLiteral("Text"), QString(2000, QLatin1Char('y')));
    t.post();
    const QByteArray dbf = TempDir::read(path);
    EXPECT_EQ(dbf.mid(dbf.size() - 11, 10), QByteArray("         4"));
    t.close();
    memo = TempDir::read(dir.file(QStringLiteral("Vzory.dbt")));
    EXPECT_EQ(memo.size(), 512 * 8);
    EXPECT_EQ(memo.left(4), le32(8));
    t.open();
    EXPECT_EQ(t.fieldText(QStringLiteral("Text")), QString(2000, QLatin1Char('y')));
}

TEST(NativeBytes, DeleteSetsTheFlagAndPackRewritesCompactly)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Vzory.dbf"));
    Table t(path);
    t.addFieldDef(QStringLiteral("Faktor"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Text"), FieldKind::Memo);
    t.createTable();
    t.open();
    t.appendRecord({1, QStringLiteral("first")});
    t.appendRecord({2, QStringLiteral("second")});
    t.appendRecord({3, QStringLiteral("third")});
    t.first();
    t.next();
    t.deleteRecord();
    const int headerLength = 32 + 2 * 32 + 1;
    QByteArray f = TempDir::read(path);
    EXPECT_EQ(f[headerLength + 22], '*');
    EXPECT_EQ(f.mid(4, 4), le32(3)) << "deleted rows stay counted until pack";
    t.close();

    t.setExclusive(true);
    t.pack();
    f = TempDir::read(path);
    EXPECT_EQ(f.mid(4, 4), le32(2));
    EXPECT_EQ(f.size(), headerLength + 2 * 22 + 1);
    EXPECT_EQ(f.mid(headerLength, 22), QByteArray("           1         1"));
    EXPECT_EQ(f.mid(headerLength + 22, 22), QByteArray("           3         2"));
    const QByteArray memo = TempDir::read(dir.file(QStringLiteral("Vzory.dbt")));
    EXPECT_EQ(memo.size(), 512 * 3);
    EXPECT_EQ(memo.left(4), le32(3));
    EXPECT_EQ(memo.mid(1024 + 8, 5), QByteArray("third"));
}

TEST(NativeBytes, StringsAreCutToTheirWidthAndNumbersMustFit)
{
    TempDir dir;
    Table t(dir.file(QStringLiteral("Worker.dbf")));
    t.addFieldDef(QStringLiteral("Zip"), FieldKind::String, 6);
    t.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
    t.createTable();
    t.open();
    t.append();
    t.setFieldText(QStringLiteral("Zip"), QStringLiteral("123 456 789"));
    t.setFieldInt(QStringLiteral("Index"), INT_MIN);
    t.post();
    EXPECT_EQ(t.fieldText(QStringLiteral("Zip")), QStringLiteral("123 45"));
    EXPECT_EQ(t.fieldInt(QStringLiteral("Index")), INT_MIN);
    const QByteArray f = TempDir::read(dir.file(QStringLiteral("Worker.dbf")));
    EXPECT_EQ(f.mid(32 + 64 + 1, 18), QByteArray(" 123 45-2147483648"));
}

// Whole numbers are written without going through a double-to-text conversion: every width,
// number of decimals and sign must still give what dBase writes, and a number too wide for its
// field must be refused, never cut.
TEST(NativeBytes, WholeNumbersAreRightAlignedWithTheirDecimalsOrRefused)
{
    using namespace ergotab::dbf;
    const QList<double> values {0,
                                -0.0,
                                1,
                                -1,
                                7,
                                42,
                                -42,
                                99999,
                                100000,
                                -2147483648.0,
                                2147483647.0,
                                12345678901.0,
                                -1234567890.0,
                                999999999999999.0};
    for (const char type : {'N', 'F'}) {
        for (int length = 1; length <= 20; ++length) {
            for (int decimals = 0; decimals <= qMin(length - 1, 6); ++decimals) {
                FieldLayout f;
                f.type = type;
                f.offset = 1;
                f.length = length;
                f.decimals = decimals;
                for (const double v : values) {
                    QByteArray expected = QByteArray::number(v == 0 ? 0.0 : v, 'f', decimals);
                    const bool fits = expected.size() <= length;
                    QByteArray rec(length + 2, '#');
                    ASSERT_EQ(fieldcodec::writeNumber(f, rec.data(), Dialect::DBase4, v), fits)
                        << v << " in " << type << length << "," << decimals;
                    if (fits)
                        EXPECT_EQ(rec, '#' + expected.rightJustified(length, ' ') + '#')
                            << v << " in " << type << length << "," << decimals;
                    else
                        EXPECT_EQ(rec, QByteArray(length + 2, '#')) << "a refused number leaves the field alone";
                }
            }
        }
    }
}
