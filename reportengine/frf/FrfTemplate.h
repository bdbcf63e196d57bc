#pragma once

// Templates of the earlier report engine (binary .frf of FastReport 2.x and FreeReport) in our
// model, so that our engine, the "Sestavy" menu and ergotab-cli run them unchanged.
//
// Overview of this folder (library ergotab_report_frf, QtCore and QtGui):
// - FrfStream: bounded little-endian reads and the string codings of the versions.
// - FrfReader (with FrfAddinReader, FrfTrailerReader): the stream into FrfFile, as written.
// - FrfConverter (with FrfObjectConverter, FrfFormats, FrfScripts, RtfToHtml): FrfFile into a
//   ReportTemplate, with a warning for everything that cannot be carried over exactly.
// - FrfInfo: FrfFile as JSON, for ergotab-cli template-info.

#include "reportengine/frf/FrfFile.h"
#include "reportengine/frf/FrfReader.h"
#include "reportengine/model/ReportTemplate.h"

namespace ergotab::report::frf {

struct FrfTemplate
{
    FrfFile file;
    ReportTemplate report;
    QStringList warnings; // the reader's and the conversion's, in that order
};

// Reads and converts; throws AppError naming the file and the offset of the damage.
FrfTemplate loadFrfTemplate(const QByteArray &bytes, const QString &fileName, const FrfReadOptions &options = {});

// The conversion alone.
ReportTemplate convertFrf(const FrfFile &file, const QString &reportName, const FrfReadOptions &options,
                          QStringList &warnings);

// Lets loadTemplate() open these files. Safe to call more than once.
void registerFrfTemplateFormat();

} // namespace ergotab::report::frf
