#pragma once

// What expressions see while a report is laid out: the system variables, the template's
// variables, the dialog values, the fields of the current records, the aggregates of the band
// being printed, and the caller's functions.

#include "reportengine/data/DataSource.h"
#include "reportengine/expr/ExpressionCache.h"
#include "reportengine/layout/Aggregates.h"
#include "reportengine/layout/ReportCallbacks.h"

#include <QDateTime>
#include <QHash>

#include <vector>

namespace ergotab::report {

class LayoutContext : public ExpressionHost
{
public:
    LayoutContext(const ReportTemplate &report, std::vector<DataSource *> sources, const ReportCallbacks &callbacks,
                  ExpressionCache &cache, Aggregates &aggregates);

    void setDialogValues(const QVariantMap &values);

    // The state the system variables show.
    int page = 0;
    int totalPages = 0;
    int line = 0;
    int lineThrough = 0;
    int column = 1;
    bool finalPass = true;
    double pageWidth = 0.0;
    double pageHeight = 0.0;
    double freeSpace = 0.0;
    double curY = 0.0;
    QVariant value; // VALUE: what the text being printed shows
    const QDateTime started = QDateTime::currentDateTime();

    // The band whose objects are evaluated: its aggregates answer, its source comes first.
    const Band *band = nullptr;
    // The data sources of the data bands being walked, outermost first.
    std::vector<DataSource *> openSources;

    DataSource *source(const QString &name) const;

    bool variable(const QString &name, QVariant &value) override;
    bool field(const QString &dataSet, const QString &fieldName, QVariant &value) override;
    bool function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                  QVariant &value) override;
    QVariant aggregate(const AggregateCall &call) override;
    // Results of the caller's pure functions are kept while one band is printed for one record,
    // between these two calls, and nowhere else (records move in between).
    void beginBandPrint()
    {
        m_functionResults.clear();
        m_keepFunctionResults = true;
    }
    void endBandPrint()
    {
        m_functionResults.clear();
        m_keepFunctionResults = false;
    }
    QVariant input(const QString &prompt, const QString &defaultValue) override;
    int messageBox(const QString &text, const QString &caption, int buttons) override;

private:
    bool systemVariable(const QString &upper, QVariant &value) const;
    int fieldIndex(DataSource *source, const QString &fieldName);

    const ReportCallbacks &m_callbacks;
    ExpressionCache &m_cache;
    Aggregates &m_aggregates;
    std::vector<DataSource *> m_sources;
    QHash<QString, QString> m_variables; // upper-case name → expression
    QHash<QString, QVariant> m_dialogValues;
    QHash<const DataSource *, QHash<QString, int>> m_fieldIndexes; // field name → index, per source
    QHash<QString, QVariant> m_functionResults;                    // name and argument texts → result
    bool m_keepFunctionResults = false;
    QStringList m_evaluating; // variables being evaluated, against definitions in a circle
};

} // namespace ergotab::report
