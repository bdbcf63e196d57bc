#pragma once

// Editing an expression (a condition, a variable) or a text with [ … ] parts, checked as one
// types: the status line names the problem and its position, and the character there is
// marked. Fields, variables and functions are inserted from the data tree beside it.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/model/ReportTemplate.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace ergotab::report::designer {

class DataTree;

class ExpressionEditor : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Expression, Text };

    ExpressionEditor(const DesignerHost &host, const ReportTemplate &report, Mode mode, const QString &text,
                     QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    // The problem shown, empty when the text is sound.
    QString problem() const;
    void insert(const QString &text);
    DataTree *dataTree() const { return m_tree; }

private:
    void check();

    Mode m_mode;
    QStringList m_names; // variable names that may stand in [ ] as they are
    QPlainTextEdit *m_edit = nullptr;
    QLabel *m_status = nullptr;
    DataTree *m_tree = nullptr;
    QString m_problem;
};

} // namespace ergotab::report::designer
