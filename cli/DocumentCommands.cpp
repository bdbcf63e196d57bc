#include "DocumentCommands.h"

#include "DocumentDump.h"
#include "ScopedDocument.h"

#include <QFileInfo>

namespace ergotab::cli {

namespace {

int dump(const QStringList &args, CliStreams &io)
{
    if (args.size() != 1) {
        io.err << "ergotab-cli: dump takes one FILE.tvo (see ergotab-cli help dump)\n";
        return UsageError;
    }
    ScopedDocument scoped;
    scoped.document.open(args[0]);
    io.out.flush();
    io.out << QString::fromUtf8(documentToJson(scoped.document));
    return Success;
}

int convert(const QStringList &args, CliStreams &io)
{
    QStringList paths = args;
    const bool force = paths.removeAll(QStringLiteral("--force")) > 0;
    if (paths.size() != 2) {
        io.err << "ergotab-cli: convert takes OLD.tvo and NEW.tvo (see ergotab-cli help convert)\n";
        return UsageError;
    }
    if (!force && QFileInfo::exists(paths[1])) {
        io.err << "ergotab-cli: " << paths[1] << " exists; add --force to replace it\n";
        return Failed;
    }
    ScopedDocument scoped;
    scoped.document.open(paths[0]);
    const int version = scoped.document.version();
    scoped.document.setFileName(QFileInfo(paths[1]).absoluteFilePath());
    scoped.document.save();
    io.out << paths[1] << ": written as version 3 (read version " << version << ")\n";
    return Success;
}

} // namespace

std::vector<CliCommand> documentCommands()
{
    return {
        {QStringLiteral("dump"), QStringLiteral("FILE.tvo"), QStringLiteral("print a document's rows as JSON"),
         QStringLiteral("Opens the document the way the program does (an older version is converted in\n"
                        "memory only; the file is not changed) and prints JSON: \"version\", the version\n"
                        "read from the file, then \"Object\", \"Worker\" and \"Link\", each a list of rows\n"
                        "with every field in table order.\n"),
         dump},
        {QStringLiteral("convert"), QStringLiteral("[--force] OLD.tvo NEW.tvo"),
         QStringLiteral("write a version-3 copy of a document"),
         QStringLiteral("Opens OLD.tvo, converting an older version, and saves it as NEW.tvo in the\n"
                        "current layout. NEW.tvo is not overwritten unless --force is given; OLD.tvo is\n"
                        "never changed.\n"),
         convert},
    };
}

} // namespace ergotab::cli
