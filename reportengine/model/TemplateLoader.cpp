#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"
#include "storage/AppError.h"

#include <QFile>
#include <QMutex>
#include <QSaveFile>

#include <vector>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

QMutex formatsMutex;

std::vector<TemplateFormat> &registeredFormats()
{
    static std::vector<TemplateFormat> formats;
    return formats;
}

} // namespace

void registerTemplateFormat(TemplateFormat format)
{
    QMutexLocker lock(&formatsMutex);
    registeredFormats().push_back(std::move(format));
}

ReportTemplate loadTemplateBytes(const QByteArray &bytes, const QString &fileName, QStringList *warnings)
{
    const QByteArray head = bytes.left(4096);
    if (looksLikeTemplateXml(head))
        return readTemplateXml(bytes, fileName);
    std::vector<TemplateFormat> formats;
    {
        QMutexLocker lock(&formatsMutex);
        formats = registeredFormats();
    }
    for (const auto &format : formats) {
        if (!format.recognises(head))
            continue;
        if (!format.loadWithWarnings)
            return format.load(bytes, fileName);
        QStringList said;
        ReportTemplate report = format.loadWithWarnings(bytes, fileName, said);
        if (warnings)
            *warnings << said;
        return report;
    }
    throw AppError(u"Soubor „%1“ není šablona sestavy, kterou program umí přečíst."_s.arg(fileName));
}

ReportTemplate loadTemplate(const QString &path, QStringList *warnings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(u"Šablonu sestavy „%1“ nelze otevřít: %2"_s.arg(path, file.errorString()));
    return loadTemplateBytes(file.readAll(), path, warnings);
}

void saveTemplate(const ReportTemplate &report, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeTemplateXml(report)) < 0 || !file.commit())
        throw AppError(u"Šablonu sestavy „%1“ nelze uložit: %2"_s.arg(path, file.errorString()));
}

} // namespace ergotab::report
