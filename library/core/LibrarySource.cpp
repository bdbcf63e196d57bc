#include "LibrarySource.h"

#include "LibraryFiles.h"
#include "SampleJson.h"

#include "storage/AppError.h"
#include "storage/archive/ContainerReplacement.h"
#include "storage/archive/TZLBArchive.h"
#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace ergotab::library {

namespace {

QJsonObject readJsonFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Unable to open file (%1)").arg(path));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw AppError(QStringLiteral("%1: %2 at offset %3").arg(path, error.errorString()).arg(error.offset));
    if (!doc.isObject())
        throw AppError(QStringLiteral("%1: an object is expected").arg(path));
    return doc.object();
}

void writeJsonFile(const QString &path, const QJsonObject &object)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson(QJsonDocument::Indented)) < 0 ||
        !file.commit())
        throw AppError(QStringLiteral("Unable to write file (%1)").arg(path));
}

QStringList jsonFiles(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

void buildTemplates(const QString &folder, dbf::Table &table)
{
    for (const QString &path : jsonFiles(folder + QStringLiteral("/templates"))) {
        try {
            const QJsonObject object = readJsonFile(path);
            const int factor = factorFromJson(object.value(QStringLiteral("factor")));
            for (const QJsonValue &value : object.value(QStringLiteral("templates")).toArray()) {
                const QJsonObject t = value.toObject();
                const QString spec = t.value(QStringLiteral("specification")).toString();
                if (spec.size() > SpecifikWidth)
                    throw AppError(QStringLiteral("specification \"%1\" is longer than %2 characters")
                                       .arg(spec)
                                       .arg(SpecifikWidth));
                table.append();
                table.setFieldInt(FaktorField, factor);
                table.setFieldText(SpecifikField, spec);
                table.setFieldText(OpatreniField, linesFromJson(t.value(QStringLiteral("text"))));
                table.post();
            }
        } catch (const AppError &e) {
            if (e.message().startsWith(path))
                throw;
            throw AppError(path + QStringLiteral(": ") + e.message());
        }
    }
}

void buildSamples(const QString &folder, dbf::Table &table)
{
    SampleWriter writer(table);
    for (const QString &path : jsonFiles(folder + QStringLiteral("/samples"))) {
        try {
            writer.write(readJsonFile(path), 0);
        } catch (const AppError &e) {
            if (e.message().startsWith(path))
                throw;
            throw AppError(path + QStringLiteral(": ") + e.message());
        }
    }
}

} // namespace

void buildLibrary(const QString &sourceFolder, const QString &libraryFile)
{
    if (!QDir(sourceFolder + QStringLiteral("/samples")).exists())
        throw AppError(QStringLiteral("No samples folder in %1").arg(sourceFolder));
    ScratchFolder scratch;
    {
        dbf::Table samples(scratch.file(ObjectMember));
        defineLibraryObjectTable(samples);
        samples.createTable();
        samples.open();
        buildSamples(sourceFolder, samples);
    }
    {
        dbf::Table templates(scratch.file(TemplatesMember));
        defineTemplateTable(templates);
        templates.createTable();
        templates.open();
        buildTemplates(sourceFolder, templates);
    }
    QStringList files;
    for (const QString &member : libraryMemberNames())
        files.append(scratch.file(member));
    writeContainerAtomically(libraryFile, files, fcMaximum);
}

void extractLibrary(const QString &libraryFile, const QString &sourceFolder)
{
    ScratchFolder scratch;
    TZLBArchive archive;
    archive.OpenArchive(libraryFile);
    archive.ExtractAll(scratch.path());
    archive.CloseArchive();
    normaliseMemberNames(scratch.path());
    createMissingTables(scratch.path());

    const QDir out(sourceFolder);
    for (const QString &sub : {QStringLiteral("samples"), QStringLiteral("templates")}) {
        if (!out.mkpath(sub))
            throw AppError(QStringLiteral("Unable to create folder (%1)").arg(out.filePath(sub)));
    }

    dbf::Table samples(scratch.file(ObjectMember));
    samples.open();
    const QList<SampleFile> files = readSampleFiles(samples);
    for (const SampleFile &file : files)
        writeJsonFile(out.filePath(QStringLiteral("samples/") + file.name), file.content);

    dbf::Table templates(scratch.file(TemplatesMember));
    templates.open();
    const QList<SampleFile> templateFiles = readTemplateFiles(templates);
    for (const SampleFile &file : templateFiles)
        writeJsonFile(out.filePath(QStringLiteral("templates/") + file.name), file.content);
}

} // namespace ergotab::library
