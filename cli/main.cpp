// ergotab-cli: the program's files from the command line, for scripts and for people who
// handle many documents. Commands live in one file per area; this file only dispatches.
#include "ArchiveCommands.h"
#include "DocumentCommands.h"
#include "LibraryCommands.h"
#include "ReportCommands.h"
#include "TemplateCommands.h"

#include "reportengine/frf/FrfTemplate.h"
#include "storage/AppError.h"

#include <QGuiApplication>

#include <memory>

#include <cstdio>

using namespace ergotab::cli;

namespace {

std::vector<CliCommand> allCommands()
{
    std::vector<CliCommand> commands;
    for (auto &&group :
         {archiveCommands(), documentCommands(), libraryCommands(), reportCommands(), templateCommands()})
        commands.insert(commands.end(), group.begin(), group.end());
    return commands;
}

void printOverview(const std::vector<CliCommand> &commands, QTextStream &out)
{
    out << "Usage: ergotab-cli COMMAND ARGUMENTS...\n\nCommands:\n";
    for (const CliCommand &c : commands)
        out << "  " << (c.name + QLatin1Char(' ') + c.usage).leftJustified(44) << ' ' << c.summary << '\n';
    out << "\n'ergotab-cli help COMMAND' explains one command.\n"
           "Exit status: 0 done, 1 the file could not be read or written, 2 wrong arguments.\n";
}

void printDetails(const CliCommand &c, QTextStream &out)
{
    const QString sentence = c.summary.left(1).toUpper() + c.summary.mid(1) + QLatin1Char('.');
    out << "Usage: ergotab-cli " << c.name << ' ' << c.usage << "\n\n" << sentence << "\n\n" << c.details;
}

const CliCommand *find(const std::vector<CliCommand> &commands, const QString &name)
{
    for (const CliCommand &c : commands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    // Reports need fonts and painting but never a screen: the tool runs where there is none.
    // The other commands stay on QtCore, so they print nothing of a platform's own.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && qstrcmp(argv[1], "report") == 0) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    ergotab::report::frf::registerFrfTemplateFormat();
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliStreams io {out, err};
    const std::vector<CliCommand> commands = allCommands();
    QStringList args = app->arguments().mid(1);

    const auto isHelp = [](const QString &a) {
        return a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("help");
    };
    if (args.isEmpty() || isHelp(args[0])) {
        const CliCommand *topic = args.size() > 1 ? find(commands, args[1]) : nullptr;
        if (topic)
            printDetails(*topic, out);
        else
            printOverview(commands, out);
        return args.isEmpty() ? UsageError : Success;
    }
    const CliCommand *command = find(commands, args[0]);
    if (!command) {
        err << "ergotab-cli: unknown command '" << args[0] << "'\n\n";
        printOverview(commands, err);
        return UsageError;
    }
    args.removeFirst();
    if (args.contains(QLatin1String("--help"))) {
        printDetails(*command, out);
        return Success;
    }
    try {
        return command->run(args, io);
    } catch (const ergotab::AppError &e) {
        out.flush();
        err << "ergotab-cli: " << e.message() << '\n';
        return Failed;
    }
}
