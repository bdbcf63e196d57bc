#include "ContainerReplacement.h"

#include "TZLBArchive.h"

namespace ergotab {

void writeContainerAtomically(const QString &target, const QStringList &files, TFileCompressionLevel level,
                              const std::function<void(const QString &, int)> &progress)
{
    TZLBArchive archive;
    archive.CompressionLevel = level;
    archive.OnProgress = progress;
    // A listed file that cannot be read would leave a document without one of its tables:
    // here that ends the write before the target is replaced.
    archive.FailOnUnreadableFile = true;
    archive.CreateReplacement(target);
    archive.AddFiles(files);
    archive.CloseArchive();
}

} // namespace ergotab
