#include "TemplateCommands.h"

#include "reportengine/frf/FrfInfo.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"
#include "storage/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace ergotab::cli {

namespace {

// The arguments left after --code-page N, which sets the code page of the file's texts.
bool readOptions(QStringList args, QStringList &paths, report::frf::FrfReadOptions &options, bool &overwrite,
                 CliStreams &io)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--overwrite")) {
            overwrite = true;
        } else if (a == QLatin1String("--code-page") || a.startsWith(QLatin1String("--code-page="))) {
            const QString value = a.contains(QLatin1Char('=')) ? a.section(QLatin1Char('='), 1)
                                  : i + 1 < args.size()        ? args[++i]
                                                               : QString();
            if (value == QLatin1String("1250"))
                options.codePage = CodePage::Windows1250;
            else if (value == QLatin1String("1251"))
                options.codePage = CodePage::Windows1251;
            else if (value == QLatin1String("1252"))
                options.codePage = CodePage::Windows1252;
            else {
                io.err << "ergotab-cli: --code-page takes 1250, 1251 or 1252\n";
                return false;
            }
        } else {
            paths << a;
        }
    }
    return true;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return file.readAll();
}

// Only the earlier engine's files: ours are already what template-convert would write.
QByteArray readBinaryTemplate(const QString &path)
{
    const QByteArray bytes = readFile(path);
    if (report::looksLikeTemplateXml(bytes.left(4096)))
        throw AppError(QStringLiteral("%1: already a template in the program's own format").arg(path));
    return bytes;
}

int templateInfo(const QStringList &args, CliStreams &io)
{
    QStringList paths;
    report::frf::FrfReadOptions options;
    bool overwrite = false;
    if (!readOptions(args, paths, options, overwrite, io))
        return UsageError;
    if (paths.size() != 1 || overwrite) {
        io.err << "ergotab-cli: template-info takes [--code-page N] FILE.frf (see ergotab-cli help template-info)\n";
        return UsageError;
    }
    const QByteArray bytes = readBinaryTemplate(paths[0]);
    const report::frf::FrfTemplate loaded = report::frf::loadFrfTemplate(bytes, paths[0], options);
    io.out << QString::fromUtf8(QJsonDocument(report::frf::frfInfo(loaded, paths[0], options)).toJson());
    return Success;
}

int templateConvert(const QStringList &args, CliStreams &io)
{
    QStringList paths;
    report::frf::FrfReadOptions options;
    bool overwrite = false;
    if (!readOptions(args, paths, options, overwrite, io))
        return UsageError;
    if (paths.size() != 2) {
        io.err << "ergotab-cli: template-convert takes [--code-page N] [--overwrite] OLD.frf NEW.frf "
                  "(see ergotab-cli help template-convert)\n";
        return UsageError;
    }
    const QFileInfo source(paths[0]);
    const QFileInfo target(paths[1]);
    if (target.exists() && source.exists() && target.canonicalFilePath() == source.canonicalFilePath() && !overwrite) {
        io.err << "ergotab-cli: " << paths[1] << " is the template being converted; give --overwrite to replace it\n";
        return UsageError;
    }
    const QByteArray bytes = readBinaryTemplate(paths[0]);
    const report::frf::FrfTemplate loaded = report::frf::loadFrfTemplate(bytes, paths[0], options);
    report::saveTemplate(loaded.report, paths[1]);
    for (const QString &warning : loaded.warnings)
        io.err << "ergotab-cli: warning: " << warning << "\n";
    io.out << paths[1] << ": written (" << loaded.warnings.size() << " warning(s))\n";
    return Success;
}

} // namespace

std::vector<CliCommand> templateCommands()
{
    return {
        {QStringLiteral("template-info"), QStringLiteral("[--code-page N] FILE.frf"),
         QStringLiteral("describe a template of the earlier report engine as JSON"),
         QStringLiteral("Reads a binary FastReport 2.x / FreeReport template (.frf) and prints what it holds\n"
                        "as JSON: the version byte and dialect; per page its kind (report or dialog) and\n"
                        "every object record in file order with its offset, kind, class name (add-ins),\n"
                        "name, position and size on the paper in millimetres, band type (bands) and text\n"
                        "lines (memos); the variables; the warnings of carrying it over to our engine.\n"
                        "Texts are read in Windows-1250 unless --code-page gives 1251 or 1252.\n"
                        "\n"
                        "Exit status: 0 read; 1 the file is damaged or not such a template (the message\n"
                        "names the offset); 2 wrong arguments.\n"),
         templateInfo},
        {QStringLiteral("template-convert"), QStringLiteral("[--code-page N] [--overwrite] OLD.frf NEW.frf"),
         QStringLiteral("convert a template of the earlier report engine to the program's own format"),
         QStringLiteral("Reads a binary FastReport 2.x / FreeReport template and writes it as a template in\n"
                        "the program's own format (XML), the way the designer saves it. What cannot be\n"
                        "carried over exactly (scripts, database components, unknown add-ins) is listed\n"
                        "as warnings on standard error. NEW.frf is replaced when it exists; writing over\n"
                        "OLD.frf itself needs --overwrite.\n"
                        "\n"
                        "Exit status: 0 written; 1 the file is damaged or not such a template, or NEW\n"
                        "could not be written; 2 wrong arguments.\n"),
         templateConvert},
    };
}

} // namespace ergotab::cli
