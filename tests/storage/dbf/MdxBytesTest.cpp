// The production index file, byte by byte, and the B-tree a reader walks.
#include "DbfBytes.h"
#include "ObjectTable.h"
#include "storage/dbf/MdxFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
namespace mdx = ergotab::dbf::mdx;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// Walks a tag's tree the way readers do: leaves emit (key, record); interior nodes descend
// into each child and finally into the pointer after the last key.
void walk(const QByteArray &file, quint32 page, int item, int keyLength, QList<QPair<QByteArray, quint32>> &out,
          int depth = 0)
{
    ASSERT_LT(depth, 10);
    const QByteArray node = file.mid(qsizetype(page) * 512, 1024);
    ASSERT_EQ(node.size(), 1024);
    const quint32 n = u32(node, 0);
    ASSERT_LE(n, 63u);
    const bool interior = u32(node, 8 + n * item) != 0;
    for (quint32 i = 0; i < n; ++i) {
        if (interior)
            walk(file, u32(node, 8 + i * item), item, keyLength, out, depth + 1);
        else
            out.append({node.mid(12 + i * item, keyLength), u32(node, 8 + i * item)});
    }
    if (interior)
        walk(file, u32(node, 8 + n * item), item, keyLength, out, depth + 1);
}

} // namespace

TEST(MdxBytes, NumericKeysArePackedDecimals)
{
    EXPECT_EQ(mdx::numericKey(0), hex("340100000000000000000000"));
    EXPECT_EQ(mdx::numericKey(5), hex("350550000000000000000000"));
    EXPECT_EQ(mdx::numericKey(10), hex("360910000000000000000000"));
    EXPECT_EQ(mdx::numericKey(100), hex("370d10000000000000000000"));
    EXPECT_EQ(mdx::numericKey(0.5), hex("340550000000000000000000"));
    EXPECT_EQ(mdx::numericKey(12.35), hex("361112350000000000000000"));
    EXPECT_EQ(mdx::numericKey(1234.5), hex("381512345000000000000000"));
    EXPECT_EQ(mdx::numericKey(-3.1), hex("358931000000000000000000"));
    EXPECT_EQ(mdx::numericKey(99999.99), hex("391d99999990000000000000"));
    EXPECT_EQ(mdx::numericKey(0.05), hex("330550000000000000000000"));
    EXPECT_EQ(mdx::numericKey(-2147483648.0), hex("3EA921474836480000000000"));
}

TEST(MdxBytes, HeaderTagEntryTagHeaderAndLeafOfASmallIndex)
{
    mdx::Tag tag;
    tag.name = QStringLiteral("UpLink");
    tag.expression = QStringLiteral("UpLink");
    tag.entries = {{mdx::numericKey(0), 2}, {mdx::numericKey(5), 1}, {mdx::numericKey(5), 3}};
    const QByteArray f = mdx::build(QStringLiteral("Object"), {tag}, QDate(2024, 5, 6));

    ASSERT_EQ(f.size(), 2048 + 1024 + 1024); // header pages, tag header block, one leaf
    EXPECT_EQ(f.left(4), hex("027c0506"));
    EXPECT_EQ(f.mid(4, 16), QByteArray("OBJECT").leftJustified(16, '\0'));
    EXPECT_EQ(f.mid(20, 2), le16(2));
    EXPECT_EQ(f.mid(22, 2), le16(1024));
    EXPECT_EQ(f.mid(24, 3), hex("013020"));
    EXPECT_EQ(f.mid(28, 2), le16(1));
    EXPECT_EQ(f.mid(32, 4), le32(8)); // pages in the file
    EXPECT_EQ(f.mid(36, 4), le32(0));
    EXPECT_EQ(f.mid(44, 3), hex("7c0506"));
    EXPECT_EQ(quint8(f[529]), 1);

    const QByteArray entry = f.mid(544, 32);
    EXPECT_EQ(entry.left(4), le32(4)); // the tag header follows the four header pages
    EXPECT_EQ(entry.mid(4, 11), QByteArray("UPLINK").leftJustified(11, '\0'));
    EXPECT_EQ(quint8(entry[15]), 0x10);
    EXPECT_EQ(entry.mid(16, 3), QByteArray(3, '\0'));
    EXPECT_EQ(quint8(entry[19]), 0x02);
    EXPECT_EQ(entry[20], 'N');
    EXPECT_EQ(f.mid(576, 32), QByteArray(32, '\0'));

    const QByteArray th = f.mid(4 * 512, 512);
    EXPECT_EQ(th.left(4), le32(6)); // root page
    EXPECT_EQ(quint8(th[8]), 0x10);
    EXPECT_EQ(th[9], 'N');
    EXPECT_EQ(th.mid(12, 2), le16(12));
    EXPECT_EQ(th.mid(14, 2), le16(63));
    EXPECT_EQ(th.mid(16, 2), le16(0));
    EXPECT_EQ(th.mid(18, 2), le16(16));
    EXPECT_EQ(th.mid(24, 7), QByteArray("UPLINK\0", 7));
    EXPECT_EQ(quint8(th[246]), 1);

    const QByteArray leaf = f.mid(6 * 512, 1024);
    EXPECT_EQ(leaf.left(4), le32(3));
    EXPECT_EQ(leaf.mid(8, 16), le32(2) + hex("340100000000000000000000"));
    EXPECT_EQ(leaf.mid(24, 16), le32(1) + hex("350550000000000000000000"));
    EXPECT_EQ(leaf.mid(40, 16), le32(3) + hex("350550000000000000000000"));
    EXPECT_EQ(leaf.mid(56), QByteArray(1024 - 56, '\0'));
}

TEST(MdxBytes, LargeIndexesBecomeBalancedTreesWalkedInOrder)
{
    mdx::Tag tag;
    tag.name = QStringLiteral("UPLINK");
    tag.expression = QStringLiteral("UPLINK");
    for (quint32 r = 1; r <= 5000; ++r)
        tag.entries.emplace_back(mdx::numericKey(double((r - 1) / 3)), r);
    const QByteArray f = mdx::build(QStringLiteral("Object"), {tag}, QDate(2024, 1, 1));
    EXPECT_EQ(u32(f, 32) * 512, quint32(f.size()));
    const quint32 root = u32(f, 4 * 512);
    QList<QPair<QByteArray, quint32>> walked;
    walk(f, root, 16, 12, walked);
    ASSERT_EQ(walked.size(), 5000);
    for (int i = 0; i < walked.size(); ++i) {
        ASSERT_EQ(walked[i].second, quint32(i + 1));
        ASSERT_EQ(walked[i].first, mdx::numericKey(double(i / 3)));
    }
    // The root of 5000 keys at 63 per leaf needs interior levels, none of them full.
    const quint32 n = u32(f, root * 512);
    EXPECT_GT(n, 0u);
    EXPECT_LT(n, 63u);
    EXPECT_NE(u32(f, root * 512 + 8 + n * 16), 0u);
}

TEST(MdxBytes, TagThreadsFormASearchTreeOverNames)
{
    QList<mdx::Tag> tags;
    for (const char *name : {"MIDDLE", "ALPHA", "ZULU", "BETA"}) {
        mdx::Tag t;
        t.name = QLatin1String(name);
        t.expression = QStringLiteral("A");
        tags.append(t);
    }
    const QByteArray f = mdx::build(QStringLiteral("T"), tags, QDate(2024, 1, 1));
    auto entry = [&](int i) { return f.mid(544 + 32 * i, 32); };
    EXPECT_EQ(entry(0).mid(16, 3), hex("020300")); // MIDDLE: left ALPHA, right ZULU
    EXPECT_EQ(entry(1).mid(16, 3), hex("000401")); // ALPHA: right BETA, parent MIDDLE
    EXPECT_EQ(entry(2).mid(16, 3), hex("000001"));
    EXPECT_EQ(entry(3).mid(16, 3), hex("000002"));
    const auto read = mdx::readTags(f);
    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[2].name, QStringLiteral("ZULU"));
    EXPECT_EQ(read[2].expression, QStringLiteral("A"));
}

TEST(MdxBytes, TheTableKeepsItsIndexFileCurrentWhenClosed)
{
    TempDir dir;
    dbf::Table t(dir.file(QStringLiteral("Object.dbf")));
    defineObjectTable(t);
    t.createTable();
    t.open();
    for (int uplink : {3, 1, 2, 1})
        t.appendRecord({uplink * 10, uplink});
    t.first();
    t.deleteRecord();
    t.close();
    const QByteArray f = TempDir::read(dir.file(QStringLiteral("Object.mdx")));
    QList<QPair<QByteArray, quint32>> walked;
    walk(f, u32(f, 4 * 512), 16, 12, walked);
    // Deleted rows stay in a dBase index, as in the table, until pack.
    ASSERT_EQ(walked.size(), 4);
    EXPECT_EQ(walked[0], qMakePair(mdx::numericKey(1), 2u));
    EXPECT_EQ(walked[1], qMakePair(mdx::numericKey(1), 4u));
    EXPECT_EQ(walked[2], qMakePair(mdx::numericKey(2), 3u));
    EXPECT_EQ(walked[3], qMakePair(mdx::numericKey(3), 1u));

    t.setExclusive(true);
    t.pack();
    const QByteArray packed = TempDir::read(dir.file(QStringLiteral("Object.mdx")));
    walked.clear();
    walk(packed, u32(packed, 4 * 512), 16, 12, walked);
    ASSERT_EQ(walked.size(), 3);
    EXPECT_EQ(walked[0].second, 1u);
    EXPECT_EQ(walked[2], qMakePair(mdx::numericKey(2), 2u));
}

TEST(MdxBytes, AStaleIndexFileDoesNotDecideTheOrder)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Object.dbf"));
    dbf::Table t(path);
    defineObjectTable(t);
    t.createTable();
    const QByteArray emptyIndex = TempDir::read(dir.file(QStringLiteral("Object.mdx")));
    t.open();
    for (int uplink : {3, 1, 2})
        t.appendRecord({uplink, uplink});
    t.close();
    TempDir::write(dir.file(QStringLiteral("Object.mdx")), emptyIndex);
    t.setIndexName(QStringLiteral("UPLINK"));
    t.open();
    QList<int> order;
    for (t.first(); !t.eof(); t.next())
        order.append(t.fieldInt(QStringLiteral("UpLink")));
    EXPECT_EQ(order, QList<int>({1, 2, 3}));
    // Without the index file the field's index flag still names the tag.
    t.close();
    QFile::remove(dir.file(QStringLiteral("Object.mdx")));
    t.open();
    t.first();
    EXPECT_EQ(t.fieldInt(QStringLiteral("UpLink")), 1);
}
