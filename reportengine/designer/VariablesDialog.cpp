#include "VariablesDialog.h"

#include "ExpressionEditor.h"
#include "reportengine/designer/core/ExpressionCheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

VariablesDialog::VariablesDialog(const DesignerHost &host, const ReportTemplate &report, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_report(report)
    , m_variables(report.variables)
{
    setObjectName(QStringLiteral("VariablesDialog"));
    setWindowTitle(QStringLiteral("Proměnné"));
    resize(640, 360);
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("VariableList"));
    left->addWidget(m_list, 1);
    auto *listButtons = new QHBoxLayout;
    auto *add = new QPushButton(QStringLiteral("Přidat"));
    add->setObjectName(QStringLiteral("AddVariableButton"));
    m_delete = new QPushButton(QStringLiteral("Odstranit"));
    m_delete->setObjectName(QStringLiteral("DeleteVariableButton"));
    listButtons->addWidget(add);
    listButtons->addWidget(m_delete);
    left->addLayout(listButtons);
    row->addLayout(left, 1);

    auto *form = new QFormLayout;
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("VariableNameEdit"));
    form->addRow(QStringLiteral("Název:"), m_name);
    auto *expressionRow = new QHBoxLayout;
    m_expression = new QLineEdit;
    m_expression->setObjectName(QStringLiteral("VariableExpressionEdit"));
    m_editExpression = new QToolButton;
    m_editExpression->setText(QStringLiteral("…"));
    m_editExpression->setObjectName(QStringLiteral("VariableExpressionButton"));
    m_editExpression->setToolTip(QStringLiteral("Výraz v editoru výrazů"));
    expressionRow->addWidget(m_expression, 1);
    expressionRow->addWidget(m_editExpression);
    form->addRow(QStringLiteral("Výraz:"), expressionRow);
    m_category = new QLineEdit;
    m_category->setObjectName(QStringLiteral("VariableCategoryEdit"));
    form->addRow(QStringLiteral("Skupina:"), m_category);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("VariableStatus"));
    m_status->setWordWrap(true);
    form->addRow(m_status);
    row->addLayout(form, 2);
    layout->addLayout(row, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &VariablesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (const TemplateVariable &variable : m_variables)
        m_list->addItem(variable.name);
    connect(add, &QPushButton::clicked, this, &VariablesDialog::addVariable);
    connect(m_delete, &QPushButton::clicked, this, &VariablesDialog::deleteVariable);
    connect(m_list, &QListWidget::currentRowChanged, this, &VariablesDialog::showCurrent);
    for (QLineEdit *edit : {m_name, m_expression, m_category})
        connect(edit, &QLineEdit::textChanged, this, &VariablesDialog::takeEdits);
    connect(m_editExpression, &QToolButton::clicked, this, [this] {
        ExpressionEditor editor(m_host, m_report, ExpressionEditor::Mode::Expression, m_expression->text(), this);
        if (editor.exec() == QDialog::Accepted)
            m_expression->setText(editor.text().simplified());
    });
    installDesignerHelp(this, host, DesignerHelp::Designer);
    m_list->setCurrentRow(m_variables.empty() ? -1 : 0);
    showCurrent();
}

void VariablesDialog::addVariable()
{
    int number = 1;
    auto taken = [this](const QString &name) {
        return std::any_of(m_variables.begin(), m_variables.end(), [&name](const TemplateVariable &v) {
            return v.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    while (taken(QStringLiteral("Proměnná%1").arg(number)))
        ++number;
    m_variables.push_back({QStringLiteral("Proměnná%1").arg(number), QString(), QString()});
    m_list->addItem(m_variables.back().name);
    m_list->setCurrentRow(int(m_variables.size()) - 1);
    m_name->setFocus();
    m_name->selectAll();
}

void VariablesDialog::deleteVariable()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_variables.erase(m_variables.begin() + row);
    delete m_list->takeItem(row);
    showCurrent();
}

void VariablesDialog::showCurrent()
{
    const int row = m_list->currentRow();
    const bool any = row >= 0 && row < int(m_variables.size());
    m_showing = true;
    m_name->setText(any ? m_variables[row].name : QString());
    m_expression->setText(any ? m_variables[row].expression : QString());
    m_category->setText(any ? m_variables[row].category : QString());
    m_showing = false;
    for (QWidget *w : std::initializer_list<QWidget *> {m_name, m_expression, m_category, m_delete, m_editExpression})
        w->setEnabled(any);
    showStatus();
}

void VariablesDialog::takeEdits()
{
    const int row = m_list->currentRow();
    if (m_showing || row < 0 || row >= int(m_variables.size()))
        return;
    TemplateVariable &variable = m_variables[row];
    variable.name = m_name->text().trimmed();
    variable.expression = m_expression->text().trimmed();
    variable.category = m_category->text().trimmed();
    m_list->item(row)->setText(variable.name);
    showStatus();
}

void VariablesDialog::showStatus()
{
    const int row = m_list->currentRow();
    QString text;
    if (row >= 0 && row < int(m_variables.size())) {
        if (const auto problem = checkExpression(m_variables[row].expression))
            text = QStringLiteral("Chyba na pozici %1: %2").arg(problem->position).arg(problem->message);
    }
    if (text.isEmpty())
        text = problem();
    m_status->setStyleSheet(text.isEmpty() ? QStringLiteral("color:#1b5e20") : QStringLiteral("color:#b00020"));
    m_status->setText(text.isEmpty() ? QStringLiteral("Výraz je v pořádku.") : text);
}

QString VariablesDialog::problem(int *variable) const
{
    for (int i = 0; i < int(m_variables.size()); ++i) {
        if (variable)
            *variable = i;
        const TemplateVariable &v = m_variables[i];
        if (v.name.isEmpty())
            return QStringLiteral("Proměnná bez názvu.");
        if (m_host.variables.contains(v.name, Qt::CaseInsensitive))
            return QStringLiteral("Název „%1“ má proměnná programu.").arg(v.name);
        for (int j = 0; j < i; ++j)
            if (m_variables[j].name.compare(v.name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("Název „%1“ je v seznamu dvakrát.").arg(v.name);
        if (const auto error = checkExpression(v.expression))
            return QStringLiteral("Proměnná „%1“: chyba na pozici %2: %3")
                .arg(v.name)
                .arg(error->position)
                .arg(error->message);
    }
    return {};
}

void VariablesDialog::accept()
{
    int variable = -1;
    if (problem(&variable).isEmpty())
        return QDialog::accept();
    m_list->setCurrentRow(variable);
    m_status->setStyleSheet(QStringLiteral("color:#b00020"));
    m_status->setText(problem());
}

} // namespace ergotab::report::designer
