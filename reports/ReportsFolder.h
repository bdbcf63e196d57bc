#pragma once

#include <QString>
#include <QStringList>

namespace ergotab::reports {

// The folder of report templates beside the program and the reports it offers: one report per
// file whose extension is ".frf" in any case, named by the file name without the extension.
namespace ReportsFolder {

// The program's folder + "/Reports/" unless set otherwise (tests); always ends in a separator.
QString path();
// An empty folder sets the program's own back.
void setPath(const QString &folder);

// The report names of the templates in `folder`, in the order the folder listing returns them
// (not sorted). Folders, and anything that is not a regular file (such as a named pipe, which
// would never finish reading), are never listed; a missing folder gives none.
QStringList reportNames(const QString &folder);

// The template of the report `name`: `folder` + name + ".FRF" when that file exists, otherwise
// the template of that name whose extension is written in another case (file systems that tell
// case apart). When there is none, the ".FRF" path all the same: the caller decides what a
// vanished template means.
QString templatePath(const QString &folder, const QString &name);

} // namespace ReportsFolder

} // namespace ergotab::reports
