#pragma once

// What expressions can name: the caller's data sources with their fields, the template's and
// the caller's variables, the system variables and the functions (the engine's and the
// caller's). Items are dragged onto a band (a field becomes a text object) or, double-clicked,
// inserted into the expression being edited.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/model/ReportTemplate.h"

#include <QTreeWidget>

namespace ergotab::report::designer {

class DataTree : public QTreeWidget
{
    Q_OBJECT

public:
    DataTree(const DesignerHost &host, QWidget *parent = nullptr);

    // Builds the tree again (the template's variables may have changed).
    void rebuild(const ReportTemplate &report);
    // Builds it again only when the names it lists from the template changed.
    void refresh(const ReportTemplate &report);

    // What an item inserts into an expression: a field as Source."Field", a variable by name,
    // a function with an open parenthesis; empty for group items.
    static QString insertionText(const QTreeWidgetItem *item);
    // The text dropped onto a band: the insertion wrapped in [ ].
    static QString fieldText(const QTreeWidgetItem *item);

    QTreeWidgetItem *findField(const QString &source, const QString &field) const;

signals:
    void insertRequested(const QString &text);

protected:
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;

private:
    const DesignerHost &m_host;
    QStringList m_templateNames; // the template's variables and dialog controls as last listed
};

// The engine's own functions as the data tree lists them.
std::vector<DesignerFunction> builtInFunctions();

} // namespace ergotab::report::designer
