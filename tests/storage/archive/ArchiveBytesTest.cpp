// The byte layout: hand-built containers are read, written containers are taken apart.
#include "HandBuiltContainer.h"

#include "storage/archive/ArchiveLayout.h"
#include "storage/archive/Crc32.h"
#include "storage/archive/TZLBArchive.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ergotab;
using namespace ergotab::test;

namespace {

// dBase-like rows: compress well, as the real tables do.
QByteArray tableLikeBytes(int rows)
{
    QByteArray out;
    for (int i = 0; i < rows; ++i)
        out += QByteArray(" Pracoviště ").replace("š", "\x9A") + QByteArray::number(i).rightJustified(8, ' ') +
               QByteArray(" 0001 0002 0000 Svářeč   ").leftJustified(40, ' ');
    return out;
}

QString write(const TempDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.file(name);
    TempDir::write(path, bytes);
    return path;
}

struct Entry
{
    QByteArray raw;
    QByteArray name() const { return raw.mid(1, quint8(raw.at(0))); }
    quint32 fileSize() const { return le32(raw, 512); }
    quint32 storedSize() const { return le32(raw, 516); }
    quint32 dataOffset() const { return le32(raw, 520); }
    quint32 crc() const { return le32(raw, 524); }
    int stored() const { return raw.at(528); }
    int level() const { return raw.at(529); }
};

} // namespace

TEST(ArchiveBytes, HandBuiltContainerOpensAndExtractsEveryKindOfMember)
{
    TempDir dir;
    const QByteArray table = tableLikeBytes(200);
    const QByteArray czechName("\x8Elu\x9Dou\xE8k\xFD.dbf"); // "Žluťoučký.dbf" in Windows-1250
    const QString archivePath = write(dir, QStringLiteral("hand.tvo"),
                                      handBuiltContainer({
                                          compressedMember(czechName, table),
                                          storedMember("Version.Inf", "3\r\n"),
                                          storedMember("Empty.dbt", ""),
                                          compressedMember("Fast.dbf", table, 1, 1),
                                      }));

    TZLBArchive archive;
    archive.CheckCRC = true;
    ASSERT_TRUE(archive.OpenArchive(archivePath));
    ASSERT_EQ(archive.FileCount(), 4);
    const TZLBFileEntry first = archive.GetEntry(0);
    EXPECT_EQ(first.FileName, QStringLiteral("Žluťoučký.dbf"));
    EXPECT_EQ(first.FilePath, QString());
    EXPECT_EQ(first.FileSize, table.size());
    EXPECT_EQ(first.DataOffset, 0);
    EXPECT_EQ(first.Crc, crcOf(table));
    EXPECT_FALSE(first.Stored);
    EXPECT_EQ(first.Level, 3);
    EXPECT_TRUE(archive.GetEntry(1).Stored);
    EXPECT_EQ(archive.GetEntry(1).DataOffset, first.StoredSize);

    const QString out = dir.file(QStringLiteral("out"));
    archive.ExtractAll(out);
    EXPECT_EQ(TempDir::read(out + QStringLiteral("/Žluťoučký.dbf")), table);
    EXPECT_EQ(TempDir::read(out + QStringLiteral("/Version.Inf")), QByteArray("3\r\n"));
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral("/Empty.dbt")));
    EXPECT_EQ(QFileInfo(out + QStringLiteral("/Empty.dbt")).size(), 0);
    EXPECT_EQ(TempDir::read(out + QStringLiteral("/Fast.dbf")), table);
}

TEST(ArchiveBytes, UncompressedDirectoryAndStreamsFromOtherDeflaters)
{
    TempDir dir;
    const QByteArray big = tableLikeBytes(2000); // > 65535 bytes: several stored deflate blocks
    const HandMember foreign = rawBlockMember("Foreign.dbf", big, handMadeStoredStream(big));
    const HandMember emptyStream = rawBlockMember("Nothing.mdx", "", zlibCompress(""));
    const QString path = write(dir, QStringLiteral("flat.LIB"),
                               handBuiltContainer({foreign, emptyStream}, {.directoryCompressed = false}));
    TZLBArchive archive;
    archive.CheckCRC = true;
    ASSERT_TRUE(archive.OpenArchive(path));
    EXPECT_EQ(archive.trailer().DirectoryCompressed, 0);
    archive.ExtractAll(dir.path());
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("Foreign.dbf"))), big);
    EXPECT_EQ(QFileInfo(dir.file(QStringLiteral("Nothing.mdx"))).size(), 0);
}

TEST(ArchiveBytes, WrittenContainerHasEveryFieldInPlace)
{
    TempDir dir;
    const QByteArray table = tableLikeBytes(300);
    const QStringList files = {write(dir, QStringLiteral("Object.dbf"), table),
                               write(dir, QStringLiteral("Version.Inf"), "3\r\n"),
                               write(dir, QStringLiteral("Link.dbf"), "")};
    const QString target = dir.file(QStringLiteral("doc.tvo"));
    TZLBArchive archive;
    archive.CompressionLevel = fcMaximum;
    archive.CreateArchive(target);
    archive.AddFiles(files);
    archive.CloseArchive();

    const QByteArray file = TempDir::read(target);
    ASSERT_GT(file.size(), 36);
    const QByteArray trailer = file.right(36);
    const QByteArray body = file.left(file.size() - 36);
    EXPECT_EQ(le32(trailer, 0), crcOf(body));
    EXPECT_EQ(le32(trailer, 4), 3u);
    EXPECT_EQ(le32(trailer, 8), 1u);
    const quint32 directoryOffset = le32(trailer, 16);
    EXPECT_EQ(le32(trailer, 12), quint32(body.size()) - directoryOffset);
    EXPECT_EQ(trailer.at(20), 1);
    EXPECT_EQ(trailer.mid(21), QByteArray(15, '\0'));

    const QByteArray directory = zlibUncompress(body.mid(directoryOffset), 3 * 532);
    ASSERT_EQ(directory.size(), 3 * 532);
    const Entry object {directory.mid(0, 532)}, version {directory.mid(532, 532)}, link {directory.mid(1064, 532)};

    EXPECT_EQ(object.name(), QByteArray("Object.dbf"));
    EXPECT_EQ(object.raw.mid(1 + 10, 255 - 10), QByteArray(245, '\0'));
    EXPECT_EQ(object.raw.mid(256, 256), QByteArray(256, '\0')) << "FilePath without SavePaths";
    EXPECT_EQ(object.fileSize(), quint32(table.size()));
    EXPECT_EQ(object.dataOffset(), 0u);
    EXPECT_EQ(object.crc(), crcOf(table));
    EXPECT_EQ(object.stored(), 0);
    EXPECT_EQ(object.level(), 3);
    EXPECT_EQ(object.raw.mid(530, 2), QByteArray(2, '\0'));
    const QByteArray objectBlock = body.mid(0, object.storedSize());
    EXPECT_LT(object.storedSize(), object.fileSize());
    EXPECT_EQ(quint8(objectBlock.at(0)), 0x78);
    EXPECT_EQ(quint8(objectBlock.at(1)), 0xDA) << "zlib header of level 9";
    EXPECT_EQ(zlibUncompress(objectBlock, table.size()), table);

    // A tiny file does not shrink: stored as it is, level 0, right after the first block.
    EXPECT_EQ(version.name(), QByteArray("Version.Inf"));
    EXPECT_EQ(version.stored(), 1);
    EXPECT_EQ(version.level(), 0);
    EXPECT_EQ(version.storedSize(), 3u);
    EXPECT_EQ(version.dataOffset(), object.storedSize());
    EXPECT_EQ(body.mid(version.dataOffset(), 3), QByteArray("3\r\n"));

    EXPECT_EQ(link.fileSize(), 0u);
    EXPECT_EQ(link.storedSize(), 0u);
    EXPECT_EQ(link.stored(), 1);
    EXPECT_EQ(link.crc(), 0u);
    EXPECT_EQ(link.dataOffset(), version.dataOffset() + 3);
    EXPECT_EQ(directoryOffset, link.dataOffset()) << "blocks follow each other without gaps";
}

TEST(ArchiveBytes, LevelsMapToZlibLevelsAndOrdinals)
{
    TempDir dir;
    const QString source = write(dir, QStringLiteral("Object.dbf"), tableLikeBytes(100));
    const struct
    {
        TFileCompressionLevel level;
        quint8 header;
        int ordinal;
    } cases[] = {{fcFastest, 0x01, 1}, {fcDefault, 0x9C, 2}, {fcMaximum, 0xDA, 3}};
    for (const auto &c : cases) {
        const QString target = dir.file(QStringLiteral("level%1.tvo").arg(c.ordinal));
        TZLBArchive archive;
        archive.CompressionLevel = c.level;
        archive.CreateArchive(target);
        archive.AddFiles({source});
        const QByteArray file = TempDir::read(target);
        EXPECT_EQ(quint8(file.at(1)), c.header) << c.ordinal;
        EXPECT_EQ(archive.GetEntry(0).Level, c.ordinal);
        // The directory goes through the same level.
        EXPECT_EQ(quint8(file.at(le32(file.right(36), 16) + 1)), c.header);
    }
    // Level 0 deflate only adds framing, so every member ends up stored.
    TZLBArchive none;
    none.CompressionLevel = fcNone;
    none.CreateArchive(dir.file(QStringLiteral("none.tvo")));
    none.AddFiles({source});
    EXPECT_TRUE(none.GetEntry(0).Stored);
    EXPECT_EQ(none.GetEntry(0).Level, 0);
}

TEST(ArchiveBytes, EmptyListWritesDirectoryOfNothingAndTrailer)
{
    TempDir dir;
    const QString target = dir.file(QStringLiteral("empty.tvo"));
    TZLBArchive archive;
    archive.CreateArchive(target);
    archive.AddFiles({});
    EXPECT_EQ(archive.FileCount(), 0);
    const QByteArray file = TempDir::read(target);
    const QByteArray emptyStream = zlibCompress(QByteArray());
    ASSERT_EQ(file.size(), emptyStream.size() + 36);
    EXPECT_EQ(file.left(emptyStream.size()), emptyStream);
    EXPECT_EQ(le32(file, file.size() - 36), crcOf(emptyStream));
    EXPECT_EQ(le32(file, file.size() - 32), 0u);
    EXPECT_EQ(le32(file, file.size() - 20), 0u) << "directory at offset 0";
}

TEST(ArchiveBytes, NamesAreWindows1250ShortStrings)
{
    TempDir dir;
    const QString czech = write(dir, QStringLiteral("Přehled.dbf"), "x");
    const QString target = dir.file(QStringLiteral("names.tvo"));
    TZLBArchive archive;
    archive.SavePaths = true;
    archive.CreateArchive(target);
    archive.AddFiles({czech});
    const QByteArray file = TempDir::read(target);
    const QByteArray directory = zlibUncompress(file.mid(le32(file.right(36), 16)), 532);
    EXPECT_EQ(Entry {directory}.name(), QByteArray("P\xF8"
                                                   "ehled.dbf"));
    // With SavePaths the folder part is recorded, separators and all.
    const QByteArray folder = directory.mid(256 + 1, quint8(directory.at(256)));
    EXPECT_EQ(QString::fromLatin1(folder), dir.path() + QLatin1Char('/'));
    EXPECT_EQ(archive.FindEntry(czech), 0);
}

TEST(ArchiveBytes, ShortStringIsCutAt255AndZeroFilled)
{
    char field[256];
    std::memset(field, 'x', sizeof field);
    archive::writeShortString(QString(300, QChar(u'ž')), field);
    EXPECT_EQ(quint8(field[0]), 255);
    EXPECT_EQ(quint8(field[1]), 0x9E);
    EXPECT_EQ(quint8(field[255]), 0x9E);
    archive::writeShortString(QStringLiteral("ab"), field);
    EXPECT_EQ(QByteArray(field, 256), QByteArray("\x02"
                                                 "ab") +
                                          QByteArray(253, '\0'));
    EXPECT_EQ(archive::readShortString(field), QStringLiteral("ab"));
}

TEST(ArchiveBytes, Crc32IsTheIsoHdlcCrcForEveryLengthAndSplit)
{
    EXPECT_EQ(archive::Crc32::of("123456789", 9), 0xCBF43926u);
    QByteArray data(5000, '\0');
    quint32 x = 12345;
    for (char &c : data) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 16);
    }
    // Lengths around the 16- and 64-byte folding steps, at odd alignments, in one and two calls.
    for (qsizetype offset : {0, 1, 7}) {
        for (qsizetype length = 0; length < 700; ++length) {
            const QByteArray piece = data.mid(offset, length);
            const quint32 expected = crcOf(piece);
            ASSERT_EQ(archive::Crc32::of(data.constData() + offset, length), expected) << length;
            archive::Crc32 split;
            split.update(piece.constData(), length / 3);
            split.update(piece.constData() + length / 3, length - length / 3);
            ASSERT_EQ(split.value(), expected) << length;
        }
    }
    EXPECT_EQ(archive::Crc32::of(data.constData(), data.size()), crcOf(data));
}
