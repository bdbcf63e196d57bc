#include "reportengine/frf/FrfInfo.h"

#include "reportengine/frf/FrfObjectConverter.h"
#include "reportengine/frf/FrfUnits.h"
#include "reportengine/model/TemplateXmlNames.h"

#include <QFileInfo>
#include <QJsonArray>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

double rounded(double mm)
{
    return std::round(mm * 100.0) / 100.0;
}

QString dialectName(Dialect d)
{
    switch (d) {
    case Dialect::Fr22:
        return u"FR 2.2"_s;
    case Dialect::FreeReport2217:
        return u"FreeReport 2.21.7"_s;
    case Dialect::Fr23:
        return u"FR 2.3"_s;
    case Dialect::Fr24:
        return u"FR 2.4"_s;
    case Dialect::Fr25:
        return u"FR 2.5"_s;
    }
    return {};
}

QString kindName(int type)
{
    switch (ObjectType(type)) {
    case ObjectType::Memo:
        return u"memo"_s;
    case ObjectType::Picture:
        return u"picture"_s;
    case ObjectType::Band:
        return u"band"_s;
    case ObjectType::Subreport:
        return u"subreport"_s;
    case ObjectType::Line:
        return u"line"_s;
    case ObjectType::AddIn:
        return u"add-in"_s;
    }
    return u"unknown"_s;
}

QString bandTypeName(int type, int version)
{
    static const char *const names[] = {
        "report-title",     "report-summary", "page-header",   "page-footer",   "master-header",    "master-data",
        "master-footer",    "detail-header",  "detail-data",   "detail-footer", "subdetail-header", "subdetail-data",
        "subdetail-footer", "overlay",        "column-header", "column-footer", "group-header",     "group-footer",
        "cross-header",     "cross-data",     "cross-footer"};
    if (type >= 0 && type < int(std::size(names)))
        return QString::fromLatin1(names[type]);
    if (type == 21 && version >= 24)
        return u"child"_s;
    return u"none"_s;
}

QJsonArray strings(const QStringList &list)
{
    QJsonArray a;
    for (const QString &s : list)
        a.append(s);
    return a;
}

} // namespace

QJsonObject frfInfo(const FrfTemplate &loaded, const QString &fileName, const FrfReadOptions &options)
{
    const FrfFile &f = loaded.file;
    const CodePage &codePage = CodePage::get(options.codePage);
    QJsonObject info;
    info[u"file"_s] = QFileInfo(fileName).fileName();
    info[u"version"_s] = f.header.versionByte;
    info[u"dialect"_s] = dialectName(f.header.dialect);
    info[u"doublePass"_s] = f.header.doublePass;
    info[u"printer"_s] = f.header.printerName;
    QJsonArray pages;
    for (size_t i = 0; i < f.pages.size(); ++i) {
        const FrfPage &p = f.pages[i];
        QJsonObject page;
        page[u"index"_s] = int(i);
        page[u"kind"_s] = p.dialog ? u"dialog"_s : u"report"_s;
        page[u"name"_s] = p.name;
        if (!p.dialog) {
            page[u"paper"_s] = p.paperSize;
            page[u"widthMm"_s] = p.paperWidth / 10.0;
            page[u"heightMm"_s] = p.paperHeight / 10.0;
            page[u"orientation"_s] = p.landscape ? u"landscape"_s : u"portrait"_s;
        } else {
            page[u"caption"_s] = p.caption;
        }
        QJsonArray objects;
        for (const FrfObject &o : f.objects) {
            if (o.page != int(i))
                continue;
            QJsonObject obj;
            obj[u"offset"_s] = o.offset;
            obj[u"kind"_s] = kindName(o.type);
            if (!o.className.isEmpty())
                obj[u"className"_s] = o.className;
            obj[u"name"_s] = o.common.name;
            obj[u"x"_s] = rounded(xMm(o.common.x));
            obj[u"y"_s] = rounded(yMm(o.common.y));
            obj[u"width"_s] = rounded(xMm(o.common.width));
            obj[u"height"_s] = rounded(yMm(o.common.height));
            if (o.type == int(ObjectType::Band))
                obj[u"bandType"_s] = bandTypeName(o.common.frameType, f.header.version);
            if (o.memo || o.type == int(ObjectType::Memo)) {
                obj[u"lines"_s] = strings(memoLines(o, codePage));
            } else if (!o.common.memo.isEmpty()) {
                obj[u"memo"_s] = strings(memoLines(o, codePage));
            }
            if (!o.common.script.join(QString()).trimmed().isEmpty())
                obj[u"script"_s] = strings(o.common.script);
            objects.append(obj);
        }
        page[u"objects"_s] = objects;
        pages.append(page);
    }
    info[u"pages"_s] = pages;
    QJsonArray variables;
    for (const FrfVariable &v : f.variables)
        variables.append(QJsonObject {{u"name"_s, v.name}, {u"category"_s, v.category}, {u"value"_s, v.value}});
    info[u"variables"_s] = variables;
    info[u"warnings"_s] = strings(loaded.warnings);
    return info;
}

} // namespace ergotab::report::frf
