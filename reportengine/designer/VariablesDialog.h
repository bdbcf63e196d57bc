#pragma once

// "Proměnné": the template's variables, each a name and an expression (and a group the earlier
// engine kept), added, renamed, deleted and edited in a copy; the expression is checked as it
// is typed. OK refuses a list with a nameless or doubled name or a faulty expression.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/model/ReportTemplate.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace ergotab::report::designer {

class VariablesDialog : public QDialog
{
    Q_OBJECT

public:
    VariablesDialog(const DesignerHost &host, const ReportTemplate &report, QWidget *parent = nullptr);

    std::vector<TemplateVariable> variables() const { return m_variables; }
    // What keeps the list from being taken, with the variable it concerns; empty when sound.
    QString problem(int *variable = nullptr) const;
    void accept() override;

private:
    void addVariable();
    void deleteVariable();
    void showCurrent();
    void takeEdits();
    void showStatus();

    const DesignerHost &m_host;
    const ReportTemplate &m_report;
    std::vector<TemplateVariable> m_variables;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_expression = nullptr;
    QLineEdit *m_category = nullptr;
    QPushButton *m_delete = nullptr;
    QToolButton *m_editExpression = nullptr;
    QLabel *m_status = nullptr;
    bool m_showing = false;
};

} // namespace ergotab::report::designer
