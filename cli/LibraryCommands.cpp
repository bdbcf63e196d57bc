#include "LibraryCommands.h"

#include "library/core/LibrarySource.h"

namespace ergotab::cli {

namespace {

int library(const QStringList &args, CliStreams &io)
{
    if (args.size() == 3 && args[0] == QLatin1String("build")) {
        library::buildLibrary(args[1], args[2]);
        io.out << args[2] << ": built from " << args[1] << '\n';
        return Success;
    }
    if (args.size() == 3 && args[0] == QLatin1String("extract")) {
        library::extractLibrary(args[1], args[2]);
        io.out << args[2] << ": source files of " << args[1] << '\n';
        return Success;
    }
    io.err << "ergotab-cli: library takes 'build DIR FILE' or 'extract FILE DIR' (see ergotab-cli help library)\n";
    return UsageError;
}

} // namespace

std::vector<CliCommand> libraryCommands()
{
    return {
        {QStringLiteral("library"), QStringLiteral("build DIR FILE | extract FILE DIR"),
         QStringLiteral("build Library.LIB from its source files, or write them back"),
         QStringLiteral("build: DIR holds samples/*.json (one top-level node or assessment each, in file-name\n"
                        "order) and templates/*.json (the measure templates of one factor each); FILE is\n"
                        "replaced only once the new library is complete.\n"
                        "extract: writes those files for the library FILE into DIR, so that a library\n"
                        "can be reviewed and kept in version control.\n"),
         library},
    };
}

} // namespace ergotab::cli
