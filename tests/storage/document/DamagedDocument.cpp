#include "DamagedDocument.h"

#include "storage/archive/TZLBArchive.h"
#include "storage/document/Document.h"

#include <QFile>
#include <QtEndian>

#include <stdexcept>

namespace ergotab::test {

namespace {

// Also used outside the tests (the main window preview), so failures are thrown, not asserted.
void cutFile(const QString &path, qint64 size)
{
    QFile file(path);
    if (file.size() < size || !file.resize(size))
        throw std::runtime_error("cannot cut " + path.toStdString());
}

} // namespace

void writeDamagedDocument(const QString &tvoPath, int rows, int keptRows, int keptMemos)
{
    Document document;
    document.start();
    dbf::Table &objects = document.objects();
    for (int i = 1; i <= rows; ++i) {
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), i);
        objects.setFieldInt(QStringLiteral("UpLink"), 0);
        objects.setFieldInt(QStringLiteral("Type"), 1);
        objects.setFieldText(QStringLiteral("Text"), QStringLiteral("Pracoviště %1").arg(i));
        objects.setFieldText(QStringLiteral("Popis"), QStringLiteral("Popis %1").arg(i));
        objects.post();
    }
    document.closeTables();
    const QString folder = document.workFolder();
    writeDocumentVersion(folder);

    const QByteArray header = [&] {
        QFile dbf(folder + QStringLiteral("Object.dbf"));
        return dbf.open(QIODevice::ReadOnly) ? dbf.read(12) : QByteArray();
    }();
    if (header.size() != 12)
        throw std::runtime_error("Object.dbf has no header");
    const qint64 headerLength = qFromLittleEndian<quint16>(header.constData() + 8);
    const qint64 recordLength = qFromLittleEndian<quint16>(header.constData() + 10);
    cutFile(folder + QStringLiteral("Object.dbf"), headerLength + keptRows * recordLength);
    // Each short memo takes one 512-byte block after the header block, in the order of the rows.
    cutFile(folder + QStringLiteral("Object.dbt"), qint64(1 + keptMemos) * 512);

    QStringList members;
    for (const QString &name : documentMemberNames())
        members << folder + name;
    QFile::remove(tvoPath);
    TZLBArchive archive;
    archive.CreateArchive(tvoPath);
    archive.AddFiles(members);
    archive.CloseArchive();
    document.shutDown();
}

} // namespace ergotab::test
