#include "TemplateInfoDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

TemplateInfoDialog::TemplateInfoDialog(const DesignerHost &host, const TemplateInfo &info, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TemplateInfoDialog"));
    setWindowTitle(QStringLiteral("Vlastnosti sestavy"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_name = new QLineEdit(info.name);
    m_name->setObjectName(QStringLiteral("TemplateNameEdit"));
    form->addRow(QStringLiteral("Název:"), m_name);
    m_description = new QPlainTextEdit(info.description);
    m_description->setObjectName(QStringLiteral("TemplateDescriptionEdit"));
    m_description->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Popis:"), m_description);
    m_doublePass = new QCheckBox(QStringLiteral("Dva průchody (celkový počet stránek je znám na každé stránce)"));
    m_doublePass->setObjectName(QStringLiteral("DoublePassCheck"));
    m_doublePass->setChecked(info.doublePass);
    form->addRow(m_doublePass);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    installDesignerHelp(this, host, DesignerHelp::Designer);
    resize(480, 260);
}

TemplateInfo TemplateInfoDialog::info() const
{
    return {m_name->text().trimmed(), m_description->toPlainText(), m_doublePass->isChecked()};
}

} // namespace ergotab::report::designer
