// Truncated and hostile files give a clear EngineError naming the table, never a crash,
// a hang or an allocation the file does not justify.
#include "DbfBytes.h"
#include "storage/dbf/FieldCodec.h"
#include "storage/dbf/Table.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

using namespace ergotab;
using namespace ergotab::test;
using dbf::EngineError;
using dbf::Table;

namespace {

const QList<HandField> kFields {{"NAME", 'C', 4}, {"NOTE", 'M', 10}};

QString openError(const QString &path)
{
    Table t(path);
    try {
        t.open();
        for (t.first(); !t.eof(); t.next())
            (void)t.fieldText(QStringLiteral("NOTE"));
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        return e.message();
    }
    return QString();
}

QByteArray validTable()
{
    return handTable(0x8B, 0xC8, kFields, {QByteArray(" abcd         1")});
}

} // namespace

TEST(HostileFiles, BrokenHeadersAreRefusedWithTheirCause)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("bad.dbf"));
    TempDir::write(dir.file(QStringLiteral("bad.dbt")), handDbt4({QByteArray("memo")}));
    const auto withHeader = [&](const std::function<void(QByteArray &)> &change) {
        QByteArray f = validTable();
        change(f);
        TempDir::write(path, f);
        return openError(path);
    };
    TempDir::write(path, QByteArray("\x8B\x7C\x01", 3));
    EXPECT_TRUE(openError(path).contains(QStringLiteral("too short")));
    EXPECT_TRUE(
        withHeader([](QByteArray &f) { f.replace(8, 2, le16(0xFFFF)); }).contains(QStringLiteral("header length")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f.replace(8, 2, le16(20)); }).contains(QStringLiteral("header length")));
    EXPECT_TRUE(
        withHeader([](QByteArray &f) { f.replace(10, 2, le16(0)); }).contains(QStringLiteral("record length is zero")));
    EXPECT_TRUE(
        withHeader([](QByteArray &f) { f.replace(10, 2, le16(5)); }).contains(QStringLiteral("runs past the record")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f[0] = char(0x77); }).contains(QStringLiteral("version byte 0x77")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f[32 + 64] = 'X'; }).contains(QStringLiteral("runs past the header")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f[32] = 0x0D; }).contains(QStringLiteral("no fields")));
}

TEST(HostileFiles, RecordCountIsTrustedOnlyAsFarAsTheFileHoldsRows)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("big.dbf"));
    QByteArray f = handTable(0x03, 0xC8, {{"A", 'C', 3}}, {QByteArray(" one"), QByteArray(" two"), QByteArray(" thr")});
    f.replace(4, 4, le32(0xFFFFFFF0u));
    f.chop(3); // the last row is cut short too
    TempDir::write(path, f);
    Table t(path);
    t.open();
    EXPECT_EQ(t.recordCount(), 2);
    t.appendRecord({QStringLiteral("new")});
    t.close();
    const QByteArray after = TempDir::read(path);
    EXPECT_EQ(after.mid(4, 4), le32(3));
    EXPECT_EQ(after.mid(32 + 32 + 1 + 8, 5), QByteArray(" new\x1A"));
}

TEST(HostileFiles, MemoPointersAndLengthsPastTheEnd)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("memo.dbf"));
    TempDir::write(path, handTable(0x8B, 0xC8, kFields, {QByteArray(" abcd      9999")}));
    TempDir::write(dir.file(QStringLiteral("memo.dbt")), handDbt4({QByteArray("memo")}));
    EXPECT_TRUE(openError(path).contains(QStringLiteral("past the end")));

    TempDir::write(path, validTable());
    QByteArray memo = handDbt4({QByteArray("memo")});
    memo.replace(512 + 4, 4, le32(0x7FFFFFF0u));
    TempDir::write(dir.file(QStringLiteral("memo.dbt")), memo);
    EXPECT_TRUE(openError(path).contains(QStringLiteral("past the end")));

    memo.replace(512 + 4, 4, le32(3));
    TempDir::write(dir.file(QStringLiteral("memo.dbt")), memo);
    EXPECT_TRUE(openError(path).contains(QStringLiteral("invalid length")));

    TempDir::write(dir.file(QStringLiteral("memo.dbt")), QByteArray(5, '\0'));
    EXPECT_TRUE(openError(path).contains(QStringLiteral("truncated")));

    QFile::remove(dir.file(QStringLiteral("memo.dbt")));
    EXPECT_TRUE(openError(path).contains(QStringLiteral("missing")));
}

TEST(HostileFiles, UnterminatedDbaseThreeMemoEndsAtTheFileEnd)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("three.dbf"));
    TempDir::write(path, handTable(0x83, 0x00, kFields, {QByteArray(" abcd         1")}));
    QByteArray memo(512, '\0');
    memo += "no terminator";
    TempDir::write(dir.file(QStringLiteral("three.dbt")), memo);
    Table t(path);
    t.open();
    EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QStringLiteral("no terminator"));
}

TEST(HostileFiles, GarbageInFieldsReadsAsEmptyOrRaisesForIntegers)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("junk.dbf"));
    TempDir::write(path, handTable(0x03, 0xC8, {{"N", 'N', 6}, {"M", 'M', 10}, {"L", 'L', 1}},
                                   {QByteArray(" "
                                               "  12x4"
                                               "not a num?"
                                               "?"),
                                    QByteArray(" "
                                               "      "
                                               "9999999999"
                                               " ")}));
    Table t(path);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("N")), QStringLiteral("12x4"));
    EXPECT_THROW(t.fieldInt(QStringLiteral("N")), EngineError);
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("M"))) << "a pointer that is not digits is no memo";
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("L")));
    t.next();
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("N")));
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("M"))) << "a block number beyond 32 bits is no memo";
}

TEST(HostileFiles, LongMemosAndMemoFilesCutShortWhileOpen)
{
    TempDir dir;
    QByteArray longText(200000, 'x');
    for (qsizetype i = 0; i < longText.size(); i += 1000)
        longText[i] = char('a' + (i / 1000) % 26);
    const QList<QByteArray> rows {QByteArray(" abcd         1"), QByteArray(" efgh       392")};
    const QByteArray second("second memo");

    // dBase III text longer than any single read, before another memo and at the file end.
    const QString three = dir.file(QStringLiteral("three.dbf"));
    TempDir::write(three, handTable(0x83, 0x00, kFields, rows));
    QByteArray dbt3 = handDbt3({longText, second});
    TempDir::write(dir.file(QStringLiteral("three.dbt")), dbt3);
    {
        Table t(three);
        t.open();
        t.first();
        EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QString::fromLatin1(longText));
        t.next();
        EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QString::fromLatin1(second));
    }
    dbt3.truncate(512 + longText.size()); // the first memo loses its terminator
    TempDir::write(dir.file(QStringLiteral("three.dbt")), dbt3);
    {
        Table t(three);
        t.open();
        t.first();
        EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QString::fromLatin1(longText));
    }

    // dBase IV: a long memo, then the file is cut short by someone else while the table is open.
    const QString four = dir.file(QStringLiteral("four.dbf"));
    TempDir::write(four, handTable(0x8B, 0xC8, kFields, rows));
    TempDir::write(dir.file(QStringLiteral("four.dbt")), handDbt4({longText, second}));
    Table t(four);
    t.open();
    t.first();
    EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QString::fromLatin1(longText));
    t.next();
    EXPECT_EQ(t.fieldText(QStringLiteral("NOTE")), QString::fromLatin1(second));
    ASSERT_TRUE(QFile::resize(dir.file(QStringLiteral("four.dbt")), 1024));
    t.first();
    try {
        const QString text = t.fieldText(QStringLiteral("NOTE"));
        EXPECT_TRUE(QString::fromLatin1(longText).startsWith(text)) << "only bytes the file held";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(four)) << e.message().toStdString();
    }
    t.next();
    EXPECT_THROW(t.fieldText(QStringLiteral("NOTE")), EngineError) << "the second memo is gone";
}

TEST(HostileFiles, IntegersReadFromNumberFieldsOfEveryShape)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("numbers.dbf"));
    const QList<QByteArray> rows {QByteArray("   -12"), QByteArray("    +7"),      QByteArray("      "),
                                  QByteArray("  1.50"), QByteArray("  -2.5"),      QByteArray(" 1 2  "),
                                  QByteArray("    - "), QByteArray("   7\0\0", 6), QByteArray("  1e+2")};
    QList<QByteArray> records;
    for (const QByteArray &r : rows)
        records.append(" " + r);
    TempDir::write(path, handTable(0x03, 0xC8, {{"N", 'N', 6}}, records));
    Table t(path);
    t.open();
    const QString n = QStringLiteral("N");
    t.first();
    EXPECT_EQ(t.fieldInt(n), -12);
    t.next();
    EXPECT_EQ(t.fieldInt(n), 7);
    t.next();
    EXPECT_EQ(t.fieldInt(n), 0);
    t.next();
    EXPECT_EQ(t.fieldInt(n), 2) << "decimals round";
    t.next();
    EXPECT_EQ(t.fieldInt(n), -3) << "halves round away from zero";
    t.next();
    EXPECT_THROW(t.fieldInt(n), EngineError) << "a blank between digits";
    t.next();
    EXPECT_THROW(t.fieldInt(n), EngineError) << "a sign without digits";
    t.next();
    EXPECT_EQ(t.fieldInt(n), 7) << "trailing NULs pad like blanks";
    t.next();
    EXPECT_EQ(t.fieldInt(n), 100);

    const QString wide = dir.file(QStringLiteral("wide.dbf"));
    TempDir::write(wide, handTable(0x03, 0xC8, {{"N", 'N', 20}},
                                   {QByteArray("           2147483647"), QByteArray("          -2147483648"),
                                    QByteArray("           2147483648"), QByteArray(" 12345678901234567890")}));
    Table w(wide);
    w.open();
    w.first();
    EXPECT_EQ(w.fieldInt(n), 2147483647);
    w.next();
    EXPECT_EQ(w.fieldInt(n), -2147483647 - 1);
    w.next();
    EXPECT_THROW(w.fieldInt(n), EngineError);
    w.next();
    EXPECT_THROW(w.fieldInt(n), EngineError) << "twenty digits are out of range, not cut short";
}

namespace {

// Byte-by-byte readings the word-at-a-time ones must agree with.
quint32 memoBlockByteByByte(const char *p, int n)
{
    quint64 block = 0;
    for (int i = 0; i < n; ++i) {
        const char c = p[i];
        if (c >= '0' && c <= '9')
            block = block * 10 + quint64(c - '0');
        else if (c != ' ' && c != '\0')
            return 0;
        if (block > 0xFFFFFFFFull)
            return 0;
    }
    return quint32(block);
}

bool plainIntegerByteByByte(const char *p, int n, qint64 &value)
{
    int i = 0;
    while (i < n && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (i == n) {
        value = 0;
        return true;
    }
    bool negative = false;
    if (p[i] == '-' || p[i] == '+') {
        negative = p[i] == '-';
        ++i;
    }
    const int digitsStart = i;
    qint64 v = 0;
    for (; i < n && i - digitsStart < 18 && p[i] >= '0' && p[i] <= '9'; ++i)
        v = v * 10 + (p[i] - '0');
    if (i == digitsStart)
        return false;
    while (i < n && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (i != n)
        return false;
    value = negative ? -v : v;
    return true;
}

} // namespace

TEST(HostileFile, NumbersAndMemoPointersOfAnyShapeReadAsByteByByte)
{
    using namespace ergotab::dbf;
    std::mt19937 random(1250);
    const char alphabet[] = {' ', ' ', ' ', ' ', '\0', '0', '1', '5', '9', '-', '+', '.', 'x', char(0xA0)};
    for (int round = 0; round < 200000; ++round) {
        const int length = 1 + int(random() % 24);
        QByteArray rec(1 + length, ' ');
        const int blanks = int(random() % (length + 1));
        for (int i = 1 + blanks; i <= length; ++i)
            rec[i] = alphabet[random() % sizeof alphabet];
        FieldLayout f;
        f.offset = 1;
        f.length = length;
        f.type = 'N';
        qint64 got = -7, expected = -7;
        const bool ok = plainIntegerByteByByte(rec.constData() + 1, length, expected);
        ASSERT_EQ(fieldcodec::readPlainInteger(f, rec.constData(), got), ok) << rec.toHex().constData();
        if (ok)
            ASSERT_EQ(got, expected) << rec.toHex().constData();
        if (length != 4) {
            f.type = 'M';
            ASSERT_EQ(fieldcodec::readMemoBlock(f, rec.constData()), memoBlockByteByByte(rec.constData() + 1, length))
                << rec.toHex().constData();
        }
    }
}
