#include "LibraryWorkCopy.h"

#include "LibraryFiles.h"

#include "storage/archive/ContainerReplacement.h"
#include "storage/archive/TZLBArchive.h"
#include "storage/document/WorkFolder.h"

#include <QCoreApplication>

namespace ergotab::library {

LibraryWorkCopy::~LibraryWorkCopy()
{
    try {
        close();
    } catch (...) {
    }
}

QString LibraryWorkCopy::open(const QString &libraryFile, ProgressSink *progress)
{
    close();
    m_folder = CreateWorkFolder() + QLatin1Char('/');
    ProgressScope scope(progress, QStringLiteral("Otevírání knihovny"), 100);
    QCoreApplication::processEvents();

    QString problem;
    try {
        TZLBArchive archive;
        archive.OpenArchive(libraryFile);
        archive.ExtractAll(m_folder);
        archive.CloseArchive();
        normaliseMemberNames(m_folder);
        createMissingTables(m_folder);
        openTables();
    } catch (const AppError &e) {
        // Whatever part of the file came out is dropped: the program runs with an empty library.
        problem = e.message();
        replaceByEmptyTables();
    }
    QCoreApplication::processEvents();
    return problem;
}

void LibraryWorkCopy::openTables()
{
    m_libTable.close();
    m_libTable.setTableName(m_folder + ObjectMember);
    m_libTable.open();
    m_opatTable.close();
    m_opatTable.setTableName(m_folder + TemplatesMember);
    m_opatTable.open();
}

void LibraryWorkCopy::closeTables()
{
    m_libTable.close();
    m_opatTable.close();
}

void LibraryWorkCopy::replaceByEmptyTables()
{
    closeTables();
    deleteFiles(m_folder, libraryMemberNames());
    createMissingTables(m_folder);
    openTables();
}

void LibraryWorkCopy::close()
{
    if (m_folder.isEmpty())
        return;
    closeTables();
    deleteFiles(m_folder, libraryMemberNames());
    removeWorkFolder(m_folder);
    m_folder.clear();
}

void LibraryWorkCopy::saveInto(const QString &libraryFile, ProgressSink *progress)
{
    ProgressScope scope(progress, QStringLiteral("Ukládání: Library.LIB"), 100);
    closeTables();
    QCoreApplication::processEvents();
    QStringList files;
    for (const QString &member : libraryMemberNames())
        files.append(m_folder + member);
    try {
        writeContainerAtomically(libraryFile, files, fcDefault);
    } catch (...) {
        openTables();
        throw;
    }
    openTables();
}

} // namespace ergotab::library
