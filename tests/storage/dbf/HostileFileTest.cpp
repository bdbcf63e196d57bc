// Truncated and hostile files give a clear EngineError naming the table, never a crash,
// a hang or an allocation the file does not justify.
#include "DbfBytes.h"
#include "storage/dbf/Table.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
using dbf::EngineError;
using dbf::Table;

namespace {

const QList<HandField> kFields{{"NAME", 'C', 4}, {"NOTE", 'M', 10}};

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

QByteArray validTable() { return handTable(0x8B, 0xC8, kFields, {QByteArray(" abcd         1")}); }

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
    EXPECT_TRUE(withHeader([](QByteArray &f) { f.replace(8, 2, le16(0xFFFF)); }).contains(QStringLiteral("header length")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f.replace(8, 2, le16(20)); }).contains(QStringLiteral("header length")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f.replace(10, 2, le16(0)); }).contains(QStringLiteral("record length is zero")));
    EXPECT_TRUE(withHeader([](QByteArray &f) { f.replace(10, 2, le16(5)); }).contains(QStringLiteral("runs past the record")));
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
                                   {QByteArray(" " "  12x4" "not a num?" "?"), QByteArray(" " "      " "9999999999" " ")}));
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
