#include "WritableFolder.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace ergotab::library {

bool canReplaceFile(const QString &path)
{
    // Tried rather than judged from permission bits: ACLs, read-only mounts and the
    // administrator's rights all answer the same way here as when the file is written.
    QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/.ergotab-XXXXXX"));
    return probe.open();
}

} // namespace ergotab::library
