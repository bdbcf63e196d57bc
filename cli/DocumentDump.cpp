#include "DocumentDump.h"

#include "storage/document/Document.h"

namespace ergotab {

namespace {

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
            else
                out += QString(c).toUtf8();
        }
    }
    out += '"';
}

void appendTable(QByteArray &out, const char *name, dbf::Table &table)
{
    table.setFiltered(false);
    table.setFilter(QString());
    table.setIndexName(QString());
    const QList<dbf::FieldDef> fields = table.fields();
    out += "  \"";
    out += name;
    out += "\": [";
    bool firstRow = true;
    for (table.first(); !table.eof(); table.next()) {
        out += firstRow ? "\n    {" : ",\n    {";
        firstRow = false;
        bool firstField = true;
        for (const dbf::FieldDef &field : fields) {
            out += firstField ? "" : ", ";
            firstField = false;
            appendJsonString(out, field.name);
            out += ": ";
            if (field.kind == dbf::FieldKind::Integer)
                out += QByteArray::number(table.fieldInt(field.name));
            else
                appendJsonString(out, table.fieldText(field.name));
        }
        out += '}';
    }
    out += firstRow ? "]" : "\n  ]";
}

} // namespace

QByteArray documentToJson(Document &document)
{
    QByteArray out = "{\n  \"version\": " + QByteArray::number(document.version()) + ",\n";
    appendTable(out, "Object", document.objects());
    out += ",\n";
    appendTable(out, "Worker", document.workers());
    out += ",\n";
    appendTable(out, "Link", document.links());
    out += "\n}\n";
    return out;
}

} // namespace ergotab
