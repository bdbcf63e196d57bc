// Opens and saves a document of 100,000 rows with memo texts and prints the time of each
// phase beside zlib's own compress2 (level 9) and uncompress of the same bytes.
//   bench_document [rows [unpack]]

#include "storage/archive/TZLBArchive.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentConversion.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/TableFields.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zlib.h>

#include <cstdio>

using namespace ergotab;

namespace {

double seconds(QElapsedTimer &timer)
{
    const double s = double(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    return s;
}

void fill(Document &document, int rows)
{
    dbf::Table &objects = document.objects();
    for (int i = 1; i <= rows; ++i) {
        const bool node = i % 5 == 1;
        objects.append();
        objects.setFieldInt(fields::object::Index, i);
        objects.setFieldInt(fields::object::UpLink, node ? (i / 50) : (i - i % 5 + 1));
        objects.setFieldInt(fields::object::Type, node ? 0 : 1);
        objects.setFieldText(fields::object::Text, QStringLiteral("Pracoviště č. %1 – obsluha strojů").arg(i));
        if (!node) {
            for (int n = 1; n <= FactorCount; ++n)
                objects.setFieldInt(factorFieldName(n), 1 << ((i + n) % 3));
            objects.setFieldInt(fields::object::Pracov, i % 40);
            objects.setFieldInt(fields::object::Zen, i % 7);
            objects.setFieldText(fields::object::Popis,
                                 QStringLiteral("Obsluha lisu, manipulace s díly do 15 kg, směna %1.").arg(i % 3));
            objects.setFieldText(fields::object::Mereni, QStringLiteral("Hluk LAeq,8h = %1 dB").arg(70 + i % 20));
            objects.setFieldText(fields::object::Opatreni,
                                 QStringLiteral("Chrániče sluchu, přestávky v práci, školení BOZP."));
        }
        objects.post();
    }
}

struct Baseline
{
    double pack = 0;
    double unpack = 0;
    // The same with the files read before packing and written after unpacking, as any tool
    // that packs files to disk and back has to.
    double packWithFiles = 0;
    double unpackWithFiles = 0;
    qint64 bytes = 0;
    qint64 packedBytes = 0; // what zlib level 9 makes of the members
};

// zlib alone on the bytes of the document's members, one compress2/uncompress per member.
Baseline zlibBaseline(const QString &folder)
{
    Baseline result;
    QElapsedTimer timer;
    QTemporaryDir out;
    for (const QString &name : documentMemberNames()) {
        QFile file(folder + name);
        timer.start();
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = file.readAll();
        const double readTime = seconds(timer);
        result.bytes += data.size();
        uLongf packedSize = compressBound(data.size());
        QByteArray packed(qsizetype(packedSize), 0); // touched now, so page faults are not timed
        timer.start();
        compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef *>(data.constData()), data.size(), 9);
        result.pack += seconds(timer);
        result.packedBytes += qint64(packedSize);
        QByteArray back(data.size(), 0);
        uLongf backSize = data.size();
        timer.start();
        uncompress(reinterpret_cast<Bytef *>(back.data()), &backSize,
                   reinterpret_cast<const Bytef *>(packed.constData()), packedSize);
        result.unpack += seconds(timer);
        QFile written(out.filePath(name));
        timer.start();
        if (written.open(QIODevice::WriteOnly))
            written.write(back.constData(), qint64(backSize));
        written.close();
        const double writeTime = seconds(timer);
        result.packWithFiles += readTime;
        result.unpackWithFiles += writeTime;
    }
    result.unpackWithFiles += result.unpack;
    result.packWithFiles += result.pack;
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tvo"));

    QElapsedTimer timer;
    Document document;
    document.start();
    timer.start();
    fill(document, rows);
    const double fillTime = seconds(timer);
    document.setFileName(path);
    document.save();
    const double saveTime = seconds(timer);
    document.closeTables();
    const Baseline zlib = zlibBaseline(document.workFolder());
    document.openTables();

    // The phases of opening, one by one.
    QTemporaryDir unpackDir;
    const auto unpack = [&](const QString &folder) {
        timer.start();
        TZLBArchive archive;
        archive.CheckCRC = true;
        archive.OpenArchive(path);
        archive.ExtractAll(folder);
        archive.CloseArchive();
        return seconds(timer);
    };
    if (argc > 2 && qstrcmp(argv[2], "unpack") == 0) { // profiling aid: the unpack phase alone, repeated
        for (int i = 0; i < 10; ++i) {
            QTemporaryDir fresh; // as opening does: into a folder of its own
            std::printf("unpack %8.3f s   zlib uncompress %8.3f s\n", unpack(fresh.path()), zlib.unpack);
        }
        document.shutDown();
        return 0;
    }
    const double unpackTime = unpack(unpackDir.path());
    {
        dbf::Table objects(unpackDir.filePath(QStringLiteral("Object.dbf")));
        dbf::Table workers(unpackDir.filePath(QStringLiteral("Worker.dbf")));
        dbf::Table links(unpackDir.filePath(QStringLiteral("Link.dbf")));
        timer.start();
        objects.open();
        workers.open();
        links.open();
        objects.first();
    }
    const double openTablesTime = seconds(timer);

    Document reader;
    reader.start();
    timer.start();
    reader.open(path);
    const double openTime = seconds(timer);

    // Conversion of the same rows as a version-2 document (its step copies every row).
    QTemporaryDir convertDir;
    DocumentTables old;
    {
        CreateDocumentTables(old, convertDir.path() + QLatin1Char('/'), {});
        dbf::Table &target = *old.object;
        target.close();
        target.clearDefinitions();
        target.addFieldDef(fields::object::Index, dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::UpLink, dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::Type, dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::Text, dbf::FieldKind::String, 250);
        for (int n = 1; n <= 16; ++n)
            target.addFieldDef(QStringLiteral("Fak%1").arg(n, 2, 10, QLatin1Char('0')), dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::Pracov, dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::Zen, dbf::FieldKind::Integer);
        target.addFieldDef(fields::object::Popis, dbf::FieldKind::Memo);
        target.addFieldDef(fields::object::Mereni, dbf::FieldKind::Memo);
        target.addFieldDef(fields::object::Opatreni, dbf::FieldKind::Memo);
        target.addIndexDef(fields::object::UpLinkTag, fields::object::UpLink);
        target.createTable();
        target.open();
        dbf::Table &source = reader.objects();
        for (source.first(); !source.eof(); source.next()) {
            target.append();
            for (QLatin1String f : {fields::object::Index, fields::object::UpLink, fields::object::Type,
                                    fields::object::Pracov, fields::object::Zen})
                target.setFieldInt(f, source.fieldInt(f));
            target.setFieldText(fields::object::Text, source.fieldText(fields::object::Text));
            target.post();
        }
    }
    timer.start();
    ConvertDocument(old, convertDir.path() + QLatin1Char('/'), 2, {}, nullptr);
    const double convertTime = seconds(timer);
    DeleteDocumentTables(old, convertDir.path() + QLatin1Char('/'));

    reader.setFileName(dir.filePath(QStringLiteral("again.tvo")));
    timer.start();
    reader.save();
    const double packTime = seconds(timer);

    std::printf("document of %d rows, %.1f MB of table files\n", rows, double(zlib.bytes) / 1e6);
    std::printf("  %-32s %8.3f s\n", "fill (append through engine)", fillTime);
    std::printf("  %-32s %8.3f s\n", "save (first)", saveTime);
    std::printf("  %-32s %8.3f s   zlib uncompress %8.3f s (ratio %.2f); with writing the files %8.3f s (ratio %.2f)\n",
                "unpack", unpackTime, zlib.unpack, unpackTime / zlib.unpack, zlib.unpackWithFiles,
                unpackTime / zlib.unpackWithFiles);
    std::printf("  %-32s %8.3f s\n", "open tables", openTablesTime);
    std::printf("  %-32s %8.3f s   (unpack + open tables: ratio %.2f to zlib with writing the files)\n",
                "open document", openTime, openTime / zlib.unpackWithFiles);
    std::printf("  %-32s %8.3f s\n", "convert version 2 to 3", convertTime);
    std::printf(
        "  %-32s %8.3f s   zlib compress2(9) %8.3f s (ratio %.2f); with reading the files %8.3f s (ratio %.2f)\n",
        "pack (save)", packTime, zlib.pack, packTime / zlib.pack, zlib.packWithFiles, packTime / zlib.packWithFiles);
    std::printf("  %-32s %s (target: a 100,000-row document under 2 s)\n", "", packTime < 2.0 ? "ok" : "MISSED");
    const qint64 saved = QFileInfo(reader.fileName()).size();
    const double sizeRatio = double(saved) / double(zlib.packedBytes);
    std::printf("  %-32s %8.3f MB   zlib level 9, one core, members alone %8.3f MB (ratio %.3f, target <= 1.030) %s\n",
                "saved file", double(saved) / 1e6, double(zlib.packedBytes) / 1e6, sizeRatio,
                sizeRatio <= 1.03 ? "ok" : "MISSED");
    reader.shutDown();
    document.shutDown();
    return 0;
}
