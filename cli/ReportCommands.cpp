#include "ReportCommands.h"

#include "ScopedDocument.h"

#include "reportengine/render/ReportExporter.h"
#include "reports/DocumentReport.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace ergotab::cli {

namespace {

// The answers given with --set NAME=VALUE, looked up without regard to case; remembers which
// were asked for so that a misspelt name does not pass unnoticed.
class Answers
{
public:
    bool add(const QString &assignment)
    {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return false;
        m_values.insert(assignment.left(eq).trimmed().toUpper(), assignment.mid(eq + 1));
        m_names << assignment.left(eq).trimmed();
        return true;
    }

    bool find(const QString &name, QString &value)
    {
        const auto it = m_values.constFind(name.trimmed().toUpper());
        if (it == m_values.cend())
            return false;
        m_used.insert(it.key());
        value = *it;
        return true;
    }

    QStringList unused() const
    {
        QStringList names;
        for (const QString &name : m_names) {
            if (!m_used.contains(name.toUpper()))
                names << name;
        }
        return names;
    }

private:
    QHash<QString, QString> m_values;
    QStringList m_names;
    QSet<QString> m_used;
};

// A control's value from its answer, in the type the control gives: yes/no for check boxes and
// radio buttons, a date for date edits, text for the rest.
QVariant controlValue(const QVariant &current, const QString &answer)
{
    if (current.typeId() == QMetaType::Bool) {
        const QString a = answer.trimmed().toLower();
        return a == QLatin1String("1") || a == QLatin1String("true") || a == QLatin1String("ano") ||
               a == QLatin1String("yes");
    }
    if (current.typeId() == QMetaType::QDate) {
        QDate date = QDate::fromString(answer.trimmed(), Qt::ISODate);
        if (!date.isValid())
            date = QDate::fromString(answer.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            throw AppError(QStringLiteral("--set: „%1“ is not a date (use YYYY-MM-DD or D.M.YYYY)").arg(answer));
        return date;
    }
    return answer;
}

int report(const QStringList &args, CliStreams &io)
{
    QStringList paths;
    Answers answers;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--set")) {
            if (i + 1 >= args.size() || !answers.add(args[++i])) {
                io.err << "ergotab-cli: --set takes NAME=VALUE (see ergotab-cli help report)\n";
                return UsageError;
            }
        } else if (args[i].startsWith(QLatin1String("--set="))) {
            if (!answers.add(args[i].mid(6))) {
                io.err << "ergotab-cli: --set takes NAME=VALUE (see ergotab-cli help report)\n";
                return UsageError;
            }
        } else {
            paths << args[i];
        }
    }
    if (paths.size() != 3) {
        io.err << "ergotab-cli: report takes TEMPLATE.frf DOCUMENT.tvo OUTPUT (see ergotab-cli help report)\n";
        return UsageError;
    }
    const QString &templatePath = paths[0];
    const QString &documentPath = paths[1];
    const QString &outputPath = paths[2];
    try {
        report::exporterForFile(outputPath);
    } catch (const AppError &e) {
        io.err << "ergotab-cli: " << e.message() << "\n";
        return UsageError;
    }
    if (!QFileInfo(templatePath).isFile()) {
        io.err << "ergotab-cli: " << templatePath << ": no such template\n";
        return Failed;
    }

    report::ReportCallbacks callbacks;
    callbacks.showDialog = [&answers](const report::DialogPage &, QVariantMap &values) {
        for (auto it = values.begin(); it != values.end(); ++it) {
            QString answer;
            if (answers.find(it.key(), answer))
                it.value() = controlValue(it.value(), answer);
        }
        return true;
    };
    callbacks.input = [&answers](const QString &prompt, const QString &defaultValue) -> QVariant {
        QString answer;
        return answers.find(prompt, answer) ? answer : defaultValue;
    };
    callbacks.messageBox = [&io](const QString &text, const QString &, int) {
        io.err << "ergotab-cli: message from the report: " << text << "\n";
        return 1; // OK
    };

    ScopedDocument scoped;
    scoped.document.open(documentPath);
    const report::PrepareResult result = reports::DocumentReport::prepare(scoped.document, templatePath, callbacks);
    // What the template could not carry over matters most when the report then fails.
    for (const QString &warning : result.templateWarnings)
        io.err << "ergotab-cli: warning: " << templatePath << ": " << warning << "\n";
    for (const QString &name : answers.unused())
        io.err << "ergotab-cli: warning: --set " << name << ": the report asks for no value of that name\n";
    if (result.status != report::PrepareResult::Status::Done) {
        io.err << "ergotab-cli: " << templatePath << ": "
               << (result.status == report::PrepareResult::Status::Cancelled ? QStringLiteral("cancelled")
                                                                             : result.error)
               << "\n";
        return Failed;
    }
    for (const QString &warning : result.warnings)
        io.err << "ergotab-cli: warning: " << warning << "\n";
    report::exportReport(result.report, outputPath);
    io.out << outputPath << ": " << result.report.pages.size() << " page(s) written\n";
    return Success;
}

} // namespace

std::vector<CliCommand> reportCommands()
{
    return {
        {QStringLiteral("report"), QStringLiteral("[--set NAME=VALUE]... TEMPLATE.frf DOCUMENT.tvo OUTPUT"),
         QStringLiteral("run a report template over a document"),
         QStringLiteral("Prepares the report the way the \"Sestavy\" menu does (Object_DataSet and\n"
                        "Kategorie_DataSet over the document's Object table in UpLink order, the functions\n"
                        "R_PATH, R_KATEGORIE and R_MAXKATEGORIE, the document's name as [Dokument]) and\n"
                        "writes it in the format of OUTPUT's extension: .pdf, .html, .rtf or .frp (the\n"
                        "prepared report the preview opens). OUTPUT is replaced when it exists.\n"
                        "\n"
                        "The report's dialog pages are not shown: each control keeps its value from the\n"
                        "template unless --set NAME=VALUE gives one for the control named NAME (check boxes\n"
                        "take 1/0, dates YYYY-MM-DD). INPUT(prompt, default) takes the value of --set whose\n"
                        "NAME is the prompt, else its default. Names are compared without regard to case.\n"
                        "\n"
                        "Example:\n"
                        "  ergotab-cli report \"Reports/Návrh na zařazení prací do kategorií.frf\" Závod.tvo \\\n"
                        "      návrh.pdf --set Nazev=\"Strojírny a.s.\" --set Ico=12345678\n"
                        "\n"
                        "Exit status: 0 written; 1 the template, the document or the output could not be\n"
                        "read or written, or the report stopped with an error (the message names the\n"
                        "object, band and text); 2 wrong arguments or an unknown output extension.\n"),
         report},
    };
}

} // namespace ergotab::cli
