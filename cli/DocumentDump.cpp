#include "DocumentDump.h"

#include "storage/document/Document.h"

namespace ergotab {

namespace {

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += "\\\"";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
            else
                out += QString(c).toUtf8();
        }
    }
    out += '"';
}

// Field names as the program spells them; the table files keep them in capitals.
QString programName(const QString &stored, void (*define)(dbf::Table &))
{
    dbf::Table layout;
    define(layout);
    for (const dbf::FieldDef &field : layout.fields()) {
        if (field.name.compare(stored, Qt::CaseInsensitive) == 0)
            return field.name;
    }
    return stored;
}

void appendTable(QByteArray &out, const char *name, dbf::Table &table, void (*define)(dbf::Table &))
{
    table.setFiltered(false);
    table.setFilter(QString());
    table.setIndexName(QString());
    const QList<dbf::FieldDef> fields = table.fields();
    QList<QByteArray> keys;
    for (const dbf::FieldDef &field : fields) {
        QByteArray key;
        appendJsonString(key, programName(field.name, define));
        keys.append(key + ": ");
    }
    out += "  \"";
    out += name;
    out += "\": [";
    bool firstRow = true;
    for (table.first(); !table.eof(); table.next()) {
        out += firstRow ? "\n    {" : ",\n    {";
        firstRow = false;
        for (int i = 0; i < fields.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += keys.at(i);
            if (fields.at(i).kind == dbf::FieldKind::Integer)
                out += QByteArray::number(table.fieldInt(i));
            else
                appendJsonString(out, table.fieldText(i));
        }
        out += '}';
    }
    out += firstRow ? "]" : "\n  ]";
}

} // namespace

QByteArray documentToJson(Document &document)
{
    QByteArray out = "{\n  \"version\": " + QByteArray::number(document.version()) + ",\n";
    appendTable(out, "Object", document.objects(), [](dbf::Table &t) { defineObjectTable(t); });
    out += ",\n";
    appendTable(out, "Worker", document.workers(), defineWorkerTable);
    out += ",\n";
    appendTable(out, "Link", document.links(), defineLinkTable);
    out += "\n}\n";
    return out;
}

} // namespace ergotab
