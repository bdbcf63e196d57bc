#pragma once

#include <QStringList>
#include <QTextStream>

#include <vector>

namespace ergotab::cli {

// Exit codes shared by all commands, so scripts can tell a bad call from a bad file.
enum ExitCode { Success = 0, Failed = 1, UsageError = 2 };

struct CliStreams
{
    QTextStream &out;
    QTextStream &err;
};

// One command of ergotab-cli. Each area of the program contributes its own list of these
// (see ArchiveCommands.h); main.cpp only gathers the lists and dispatches.
struct CliCommand
{
    QString name;
    QString usage;   // arguments after the name, e.g. "FILE DIR"
    QString summary; // one line for the overview
    QString details; // shown by "ergotab-cli help NAME"
    // `args` are the words after the command's name. Errors go to `io.err`; AppErrors thrown
    // out of `run` are printed by main with their message.
    int (*run)(const QStringList &args, CliStreams &io);
};

} // namespace ergotab::cli
