#include "DataTree.h"

#include "DesignSurface.h"
#include "reportengine/expr/SystemVariables.h"

#include <QMimeData>

namespace ergotab::report::designer {

namespace {

constexpr int insertRole = Qt::UserRole + 1;

QTreeWidgetItem *group(QTreeWidget *tree, const QString &caption)
{
    auto *item = new QTreeWidgetItem(tree, {caption});
    item->setFlags(Qt::ItemIsEnabled);
    item->setExpanded(true);
    return item;
}

QTreeWidgetItem *leaf(QTreeWidgetItem *parent, const QString &caption, const QString &insert, const QString &tip = {})
{
    auto *item = new QTreeWidgetItem(parent, {caption});
    item->setData(0, insertRole, insert);
    item->setToolTip(0, tip.isEmpty() ? insert : tip);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    return item;
}

// A name with characters beyond letters, digits and _ goes in quotes after its source.
QString quotedField(const QString &field)
{
    return u'"' + field + u'"';
}

// The template's entries of the tree, to see whether they changed.
QStringList templateNames(const ReportTemplate &report)
{
    QStringList names;
    for (const TemplateVariable &variable : report.variables)
        names << variable.name << variable.expression;
    for (const DialogPage &dialog : report.dialogs)
        for (const DialogControl &control : dialog.controls)
            names << dialog.name + u'.' + control.name;
    return names;
}

} // namespace

std::vector<DesignerFunction> builtInFunctions()
{
    auto f = [](const char *name, const char *signature, const char *description) {
        return DesignerFunction {QLatin1String(name), QString::fromUtf8(signature), QString::fromUtf8(description)};
    };
    return {
        f("IF", "IF(podmínka, ano, ne)", "hodnota podle podmínky"),
        f("SUM", "SUM(výraz, pás)", "součet za pás"),
        f("AVG", "AVG(výraz, pás)", "průměr za pás"),
        f("MIN", "MIN(výraz, pás)", "nejmenší hodnota za pás"),
        f("MAX", "MAX(výraz, pás)", "největší hodnota za pás"),
        f("COUNT", "COUNT(pás)", "počet záznamů pásu"),
        f("INT", "INT(číslo)", "celá část"),
        f("FRAC", "FRAC(číslo)", "desetinná část"),
        f("ROUND", "ROUND(číslo)", "zaokrouhlení"),
        f("STR", "STR(číslo)", "číslo jako text"),
        f("COPY", "COPY(text, od, počet)", "část textu"),
        f("LENGTH", "LENGTH(text)", "délka textu"),
        f("POS", "POS(hledaný, text)", "pozice v textu"),
        f("TRIM", "TRIM(text)", "bez mezer na okrajích"),
        f("UPPERCASE", "UPPERCASE(text)", "velkými písmeny"),
        f("LOWERCASE", "LOWERCASE(text)", "malými písmeny"),
        f("NAMECASE", "NAMECASE(text)", "první písmeno velké"),
        f("FORMATFLOAT", "FORMATFLOAT(formát, číslo)", "číslo podle formátu"),
        f("FORMATDATETIME", "FORMATDATETIME(formát, datum)", "datum podle formátu"),
        f("FORMATTEXT", "FORMATTEXT(maska, text)", "text podle masky"),
        f("STRTODATE", "STRTODATE(text)", "text jako datum"),
        f("STRTOTIME", "STRTOTIME(text)", "text jako čas"),
        f("DAYOF", "DAYOF(datum)", "den"),
        f("MONTHOF", "MONTHOF(datum)", "měsíc"),
        f("YEAROF", "YEAROF(datum)", "rok"),
        f("MAXNUM", "MAXNUM(a, b)", "větší z čísel"),
        f("MINNUM", "MINNUM(a, b)", "menší z čísel"),
        f("INPUT", "INPUT(výzva, výchozí)", "zeptá se uživatele"),
        f("MESSAGEBOX", "MESSAGEBOX(text, titulek, tlačítka)", "zpráva uživateli"),
    };
}

DataTree::DataTree(const DesignerHost &host, QWidget *parent)
    : QTreeWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("DataTree"));
    setHeaderLabel(QStringLiteral("Data"));
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        const QString text = insertionText(item);
        if (!text.isEmpty())
            emit insertRequested(text);
    });
}

void DataTree::refresh(const ReportTemplate &report)
{
    if (templateNames(report) != m_templateNames)
        rebuild(report);
}

void DataTree::rebuild(const ReportTemplate &report)
{
    m_templateNames = templateNames(report);
    clear();
    QTreeWidgetItem *sources = group(this, QStringLiteral("Zdroje dat"));
    for (const DesignerDataSource &source : m_host.sources) {
        auto *item = new QTreeWidgetItem(sources, {source.name});
        item->setFlags(Qt::ItemIsEnabled);
        item->setExpanded(true);
        for (const QString &field : source.fields)
            leaf(item, field, source.name + u'.' + quotedField(field));
    }
    QTreeWidgetItem *variables = group(this, QStringLiteral("Proměnné"));
    for (const TemplateVariable &variable : report.variables)
        leaf(variables, variable.name, variable.name, variable.expression);
    for (const QString &name : m_host.variables)
        leaf(variables, name, name);
    for (const DialogPage &dialog : report.dialogs)
        for (const DialogControl &control : dialog.controls)
            if (control.kind != ControlKind::Label && control.kind != ControlKind::Button)
                leaf(variables, control.name, control.name, QStringLiteral("Ovládací prvek dialogu ") + dialog.name);
    QTreeWidgetItem *system = group(this, QStringLiteral("Systémové proměnné"));
    for (const QLatin1String name : SystemVariable::All)
        leaf(system, name, name);
    system->setExpanded(false);
    QTreeWidgetItem *functions = group(this, QStringLiteral("Funkce"));
    for (const DesignerFunction &function : m_host.functions)
        leaf(functions, function.signature, function.name + u'(', function.description);
    for (const DesignerFunction &function : builtInFunctions())
        leaf(functions, function.signature, function.name + u'(', function.description);
    functions->setExpanded(false);
}

QString DataTree::insertionText(const QTreeWidgetItem *item)
{
    return item ? item->data(0, insertRole).toString() : QString();
}

QString DataTree::fieldText(const QTreeWidgetItem *item)
{
    const QString text = insertionText(item);
    if (text.isEmpty())
        return {};
    // A function dropped on a band gets its closing parenthesis for the author to fill in.
    return u'[' + text + (text.endsWith(u'(') ? QStringLiteral(")") : QString()) + u']';
}

QTreeWidgetItem *DataTree::findField(const QString &source, const QString &field) const
{
    for (QTreeWidgetItem *item : findItems(field, Qt::MatchExactly | Qt::MatchRecursive))
        if (item->parent() && item->parent()->text(0) == source)
            return item;
    return nullptr;
}

QStringList DataTree::mimeTypes() const
{
    return {QLatin1String(fieldMimeType), QStringLiteral("text/plain")};
}

QMimeData *DataTree::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    if (items.isEmpty() || fieldText(items.front()).isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    const QString text = fieldText(items.front());
    data->setData(QLatin1String(fieldMimeType), text.toUtf8());
    data->setText(text);
    return data;
}

} // namespace ergotab::report::designer
