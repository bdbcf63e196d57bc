#include "ExpressionEditor.h"

#include "DataTree.h"
#include "reportengine/designer/core/ExpressionCheck.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>

namespace ergotab::report::designer {

ExpressionEditor::ExpressionEditor(const DesignerHost &host, const ReportTemplate &report, Mode mode,
                                   const QString &text, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
{
    setObjectName(QStringLiteral("ExpressionEditor"));
    setWindowTitle(mode == Mode::Text ? QStringLiteral("Text objektu") : QStringLiteral("Výraz"));
    resize(720, 420);
    for (const TemplateVariable &variable : report.variables)
        m_names << variable.name;
    m_names << host.variables;

    auto *layout = new QVBoxLayout(this);
    auto *hint =
        new QLabel(mode == Mode::Text ? QStringLiteral("Text se tiskne, jak je napsán; výrazy v hranatých závorkách "
                                                       "[ ] se vyhodnotí. Dvojklikem v seznamu vpravo se vloží pole, "
                                                       "proměnná nebo funkce.")
                                      : QStringLiteral("Výraz, např. Kategorie_DataSet.\"Pracov\" > 0. Dvojklikem v "
                                                       "seznamu vpravo se vloží pole, proměnná nebo funkce."));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *splitter = new QSplitter;
    m_edit = new QPlainTextEdit;
    m_edit->setObjectName(QStringLiteral("ExpressionEdit"));
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    m_edit->setFont(mono);
    splitter->addWidget(m_edit);
    m_tree = new DataTree(host, this);
    m_tree->rebuild(report);
    splitter->addWidget(m_tree);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("ExpressionStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_edit, &QPlainTextEdit::textChanged, this, &ExpressionEditor::check);
    connect(m_tree, &DataTree::insertRequested, this, [this](const QString &insertion) {
        insert(m_mode == Mode::Text
                   ? u'[' + insertion + (insertion.endsWith(u'(') ? QStringLiteral(")") : QString()) + u']'
                   : insertion);
    });
    installDesignerHelp(this, host, DesignerHelp::Expression);
    setText(text);
}

QString ExpressionEditor::text() const
{
    return m_edit->toPlainText();
}

void ExpressionEditor::setText(const QString &text)
{
    m_edit->setPlainText(text);
    check();
}

QString ExpressionEditor::problem() const
{
    return m_problem;
}

void ExpressionEditor::insert(const QString &text)
{
    m_edit->insertPlainText(text);
    m_edit->setFocus();
}

void ExpressionEditor::check()
{
    const QString text = m_edit->toPlainText();
    const auto problem = m_mode == Mode::Text ? checkText(text, m_names) : checkExpression(text);
    QList<QTextEdit::ExtraSelection> marks;
    if (problem) {
        m_problem = QStringLiteral("Chyba na pozici %1: %2").arg(problem->position).arg(problem->message);
        m_status->setStyleSheet(QStringLiteral("color:#b00020"));
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_edit->document());
        mark.cursor.setPosition(std::clamp(problem->position - 1, 0, int(text.size())));
        mark.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(0xff, 0xc0, 0xc0));
        marks << mark;
        m_status->setText(m_problem);
    } else {
        m_problem.clear();
        m_status->setStyleSheet(QStringLiteral("color:#1b5e20"));
        m_status->setText(QStringLiteral("Výraz je v pořádku."));
    }
    m_edit->setExtraSelections(marks);
}

} // namespace ergotab::report::designer
