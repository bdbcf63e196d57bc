#include "ReportExporter.h"

#include "HtmlExport.h"
#include "PdfExport.h"
#include "PreparedReportFile.h"
#include "RtfExport.h"
#include "storage/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ergotab::report {

const std::vector<ExportFormat> &exportFormats()
{
    static const std::vector<ExportFormat> formats = {
        {{QStringLiteral("frp")}, QStringLiteral("Připravená sestava (*.frp)")},
        {{QStringLiteral("pdf")}, QStringLiteral("Dokument PDF (*.pdf)")},
        {{QStringLiteral("html"), QStringLiteral("htm")}, QStringLiteral("Stránka HTML (*.html *.htm)")},
        {{QStringLiteral("rtf")}, QStringLiteral("Dokument RTF (*.rtf)")},
    };
    return formats;
}

QString exportDialogFilter()
{
    QStringList filters;
    for (const ExportFormat &format : exportFormats())
        filters.append(format.filter);
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<ReportExporter> exporterForFile(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == u"pdf")
        return std::make_unique<PdfExport>();
    if (extension == u"html" || extension == u"htm")
        return std::make_unique<HtmlExport>();
    if (extension == u"rtf")
        return std::make_unique<RtfExport>();
    if (extension == u"frp")
        return std::make_unique<PreparedReportFile>();
    throw AppError(QStringLiteral("Sestavu nelze uložit do souboru „%1“: neznámý formát. "
                                  "Použijte příponu .pdf, .html, .rtf nebo .frp.")
                       .arg(QDir::toNativeSeparators(fileName)));
}

void exportReport(const PreparedReport &report, const QString &fileName)
{
    const auto exporter = exporterForFile(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Soubor „%1“ nelze vytvořit: %2")
                           .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    try {
        exporter->write(report, file);
    } catch (const AppError &error) {
        file.cancelWriting();
        throw AppError(
            QStringLiteral("Soubor „%1“ nelze zapsat: %2").arg(QDir::toNativeSeparators(fileName), error.message()));
    }
    if (!file.commit())
        throw AppError(
            QStringLiteral("Soubor „%1“ nelze zapsat: %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

} // namespace ergotab::report
