#include "ArchiveCommands.h"

#include "storage/archive/TZLBArchive.h"
#include "storage/dbf/Table.h"
#include "storage/dbf/TableDamage.h"
#include "storage/document/WorkFolder.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace ergotab::cli {

namespace {

const char *const kLevelNames[] = {"none", "fastest", "default", "maximum"};

int usage(CliStreams &io, const QString &text)
{
    io.err << "ergotab-cli: " << text << " (see ergotab-cli help)\n";
    return UsageError;
}

QString methodOf(const TZLBFileEntry &entry)
{
    if (entry.Stored)
        return QStringLiteral("stored");
    // Other writers may record levels this program does not know by name.
    return entry.Level < 4 ? QString::fromLatin1(kLevelNames[entry.Level])
                           : QStringLiteral("level %1").arg(entry.Level);
}

int listMembers(const QStringList &args, CliStreams &io)
{
    if (args.size() != 1)
        return usage(io, QStringLiteral("list takes one FILE"));
    TZLBArchive archive;
    archive.OpenArchive(args[0]);
    for (int i = 0; i < archive.FileCount(); ++i) {
        const TZLBFileEntry e = archive.GetEntry(i);
        io.out << e.FilePath + e.FileName << '\t' << e.FileSize << '\t' << e.StoredSize << '\t' << e.DataOffset << '\t'
               << QStringLiteral("%1").arg(e.Crc, 8, 16, QLatin1Char('0')) << '\t' << methodOf(e) << '\n';
    }
    return Success;
}

// What could not be read of the tables among the members: a sound container can still hold a
// table cut short before it was packed. One line per finding.
QStringList tableDamage(TZLBArchive &archive)
{
    ScratchFolder scratch;
    archive.ExtractAll(scratch.path());
    QStringList findings;
    for (const QString &name : QDir(scratch.path()).entryList({QStringLiteral("*.dbf")}, QDir::Files)) {
        try {
            const dbf::TableDamage damage = dbf::inspectTable(scratch.file(name));
            if (damage.rowsMissing())
                findings << QStringLiteral("%1: the header counts %2 rows, the file holds %3")
                                .arg(name)
                                .arg(damage.rowsInHeader)
                                .arg(damage.rowsInFile);
            if (damage.unreadableMemos > 0)
                findings << QStringLiteral("%1: %2 memo texts cannot be read from %3")
                                .arg(name)
                                .arg(damage.unreadableMemos)
                                .arg(damage.memoFile);
        } catch (const dbf::EngineError &error) {
            findings << QStringLiteral("%1: %2").arg(name, error.message());
        }
    }
    return findings;
}

int checkContainer(const QStringList &args, CliStreams &io)
{
    if (args.size() != 1)
        return usage(io, QStringLiteral("check takes one FILE"));
    TZLBArchive archive;
    archive.CheckCRC = true;
    archive.OpenArchive(args[0]); // verifies the trailer's checksum
    for (int i = 0; i < archive.FileCount(); ++i)
        archive.VerifyEntry(i);
    const QStringList damage = tableDamage(archive);
    if (!damage.isEmpty()) {
        for (const QString &finding : damage)
            io.err << args[0] << ": " << finding << '\n';
        return Failed;
    }
    io.out << args[0] << ": OK, " << archive.FileCount() << " members\n";
    return Success;
}

int unpackContainer(const QStringList &args, CliStreams &io)
{
    if (args.size() != 2)
        return usage(io, QStringLiteral("unpack takes FILE and DIR"));
    TZLBArchive archive;
    archive.CheckCRC = true;
    archive.OpenArchive(args[0]);
    archive.ExtractAll(args[1]);
    return Success;
}

std::optional<TFileCompressionLevel> parseLevel(const QString &text)
{
    if (text == QLatin1String("0") || text == QLatin1String("none"))
        return fcNone;
    if (text == QLatin1String("1") || text == QLatin1String("fastest"))
        return fcFastest;
    if (text == QLatin1String("6") || text == QLatin1String("default"))
        return fcDefault;
    if (text == QLatin1String("9") || text == QLatin1String("maximum"))
        return fcMaximum;
    return std::nullopt;
}

int packContainer(const QStringList &args, CliStreams &io)
{
    TFileCompressionLevel level = fcMaximum; // what the program itself writes
    bool force = false;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--force")) {
            force = true;
        } else if (arg == QLatin1String("--level") || arg.startsWith(QLatin1String("--level="))) {
            const QString value = arg.contains(QLatin1Char('=')) ? arg.section(QLatin1Char('='), 1)
                                                                 : (i + 1 < args.size() ? args[++i] : QString());
            const auto parsed = parseLevel(value);
            if (!parsed)
                return usage(io, QStringLiteral("unknown level '%1'").arg(value));
            level = *parsed;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usage(io, QStringLiteral("unknown option '%1'").arg(arg));
        } else {
            positional << arg;
        }
    }
    if (positional.size() < 2)
        return usage(io, QStringLiteral("pack takes FILE and at least one MEMBER"));
    const QString target = positional.takeFirst();
    for (const QString &member : std::as_const(positional)) {
        if (QFileInfo(member).isDir())
            return usage(io, QStringLiteral("'%1' is a folder; name the files to pack").arg(member));
    }
    TZLBArchive archive;
    archive.CompressionLevel = level;
    archive.FailOnUnreadableFile = true;
    if (force)
        archive.CreateReplacement(target); // the old file stays until the new one is complete
    else
        archive.CreateArchive(target); // refuses an existing file
    archive.AddFiles(positional);
    return Success;
}

} // namespace

std::vector<CliCommand> archiveCommands()
{
    return {
        {QStringLiteral("list"), QStringLiteral("FILE"), QStringLiteral("list the members of a document or library"),
         QStringLiteral("Prints one line per member, fields separated by tabs:\n"
                        "  name, size, stored size, offset of its data, CRC-32 (hex),\n"
                        "  and 'stored' or the level it was compressed with\n"
                        "  (none, fastest, default, maximum).\n"),
         listMembers},
        {QStringLiteral("check"), QStringLiteral("FILE"),
         QStringLiteral("verify the file's checksum, every member's CRC and its tables"),
         QStringLiteral("Reads the whole file: the trailer's checksum, the directory and every\n"
                        "member, decompressed and compared with its CRC, then every table\n"
                        "(*.dbf) among the members: rows its header counts that the file\n"
                        "does not hold, and memo texts that cannot be read. Writes nothing.\n"
                        "Prints 'FILE: OK, N members' or the problems found.\n"),
         checkContainer},
        {QStringLiteral("unpack"), QStringLiteral("FILE DIR"), QStringLiteral("extract every member into DIR"),
         QStringLiteral("Creates DIR when needed and writes every member into it under its\n"
                        "name, overwriting files of the same name. Each member is checked\n"
                        "against its CRC; the first damaged member stops the unpacking.\n"),
         unpackContainer},
        {QStringLiteral("pack"), QStringLiteral("[--level L] [--force] FILE MEMBER..."),
         QStringLiteral("write the named files, in order, into a new FILE"),
         QStringLiteral("Members are stored under their file names, without folders, in the\n"
                        "order given.\n"
                        "  --level L  0|none, 1|fastest, 6|default or 9|maximum (default 9,\n"
                        "             as the program saves documents)\n"
                        "  --force    replace an existing FILE; it is replaced only once the\n"
                        "             new file is complete\n"
                        "Without --force an existing FILE is left alone and the command fails.\n"),
         packContainer},
    };
}

} // namespace ergotab::cli
