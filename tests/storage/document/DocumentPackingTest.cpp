// A saved document is no larger than zlib's highest level makes its members: the container's
// faster compressor must not cost the user disk space, memo files included.
#include "storage/archive/TZLBArchive.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "tests/support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <zlib.h>

using namespace ergotab;
using ergotab::test::TempDir;

namespace {

// Rows as a user's document has them: nodes with assessments below, memo texts that repeat.
void fill(Document &document, int rows)
{
    dbf::Table &objects = document.objects();
    for (int i = 1; i <= rows; ++i) {
        const bool node = i % 5 == 1;
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), i);
        objects.setFieldInt(QStringLiteral("UpLink"), node ? (i / 50) : (i - i % 5 + 1));
        objects.setFieldInt(QStringLiteral("Type"), node ? 0 : 1);
        objects.setFieldText(QStringLiteral("Text"), QStringLiteral("Pracoviště č. %1 – obsluha strojů").arg(i));
        if (!node) {
            for (int n = 1; n <= FactorCount; ++n)
                objects.setFieldInt(factorFieldName(n), 1 << ((i + n) % 3));
            objects.setFieldInt(QStringLiteral("Pracov"), i % 40);
            objects.setFieldText(QStringLiteral("Popis"),
                                 QStringLiteral("Obsluha lisu, manipulace s díly do 15 kg, směna %1.").arg(i % 3));
            objects.setFieldText(QStringLiteral("Mereni"), QStringLiteral("Hluk LAeq,8h = %1 dB").arg(70 + i % 20));
            objects.setFieldText(QStringLiteral("Opatreni"),
                                 QStringLiteral("Chrániče sluchu, přestávky v práci, školení BOZP."));
        }
        objects.post();
    }
}

qint64 zlibLevel9Size(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray data = file.readAll();
    uLongf size = compressBound(uLong(data.size()));
    QByteArray packed(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), 9);
    return qint64(size);
}

} // namespace

TEST(DocumentPacking, SavedDocumentIsNoLargerThanZlibsHighestLevelMakesItsMembers)
{
    TempDir dir;
    Document document;
    document.start();
    fill(document, 15000);
    document.setFileName(dir.file(QStringLiteral("large.tvo")));
    document.save();
    document.closeTables();

    qint64 zlibTotal = 0;
    for (const QString &name : documentMemberNames())
        zlibTotal += zlibLevel9Size(document.workFolder() + name);
    TZLBArchive archive;
    archive.OpenArchive(document.fileName());
    qint64 stored = 0;
    for (int i = 0; i < archive.FileCount(); ++i) {
        const TZLBFileEntry entry = archive.GetEntry(i);
        if (!entry.Stored)
            EXPECT_EQ(entry.Level, 3) << "the maximum level's ordinal, whatever compresses it";
        stored += entry.StoredSize;
    }
    EXPECT_LE(stored, zlibTotal);
    document.openTables();
    document.shutDown();
}
