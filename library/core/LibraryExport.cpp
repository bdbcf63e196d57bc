#include "LibraryExport.h"

#include "LibraryFiles.h"

#include "storage/archive/ContainerReplacement.h"
#include "storage/archive/TZLBArchive.h"
#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/WorkFolder.h"

#include <QCoreApplication>

namespace ergotab::library {

namespace {

void copySamples(dbf::Table &objects, dbf::Table &samples, ProgressSink *progress)
{
    // Every row counts, whatever filter a command left on the shared handle.
    objects.setFiltered(false);
    objects.setFilter(QString());
    ProgressScope scope(progress, QStringLiteral("Převádím data"), objects.recordCount());
    static const QString head[] = {QStringLiteral("Index"), QStringLiteral("UpLink"), QStringLiteral("Type")};
    for (objects.first(); !objects.eof(); objects.next()) {
        samples.append();
        for (const QString &field : head)
            samples.setFieldInt(field, objects.fieldInt(field));
        samples.setFieldText(QStringLiteral("Text"), objects.fieldText(QStringLiteral("Text")));
        for (const Factor &f : factorCatalogue())
            samples.setFieldInt(f.fieldName, objects.fieldInt(f.fieldName));
        samples.post();
        scope.step();
    }
}

} // namespace

void exportLibrary(dbf::Table &documentObjects, const QString &libraryFile, ProgressSink *progress,
                   const QString &target)
{
    ScratchFolder scratch;
    {
        ProgressScope opening(progress, QStringLiteral("Otevírání stávající knihovny"), 100);
        QCoreApplication::processEvents();
        TZLBArchive archive;
        archive.OpenArchive(libraryFile);
        archive.ExtractAll(scratch.path());
        archive.CloseArchive();
    }
    normaliseMemberNames(scratch.path());

    dbf::Table samples(scratch.file(ObjectMember));
    defineLibraryObjectTable(samples);
    samples.createTable();
    samples.open();
    copySamples(documentObjects, samples, progress);
    samples.close();
    // A library file without templates passes on an empty template table.
    createMissingTables(scratch.path());

    ProgressScope saving(progress, QStringLiteral("Ukládání: Library.LIB"), 100);
    QStringList files;
    for (const QString &member : libraryMemberNames())
        files.append(scratch.file(member));
    writeContainerAtomically(target.isEmpty() ? libraryFile : target, files, fcDefault);
}

} // namespace ergotab::library
