#include "TAboutForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include "AppVersion.h"
#include "ProductLabels.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ergotab {

TAboutForm::TAboutForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    installHelpKey(this, HelpTopic::About);
    setWindowTitle(QStringLiteral("O programu"));

    QLabel *name = makeProductNameLabel(this, 28);
    m_version = makeVersionLabel(this);
    auto *subtitle = new QLabel(QStringLiteral("Kategorizace prací dle Vyhlášky 432/2003"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(m_version);
    layout->addWidget(subtitle);
    layout->addSpacing(12);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutForm::showEvent(QShowEvent *event)
{
    m_version->setText(programVersionText());
    QDialog::showEvent(event);
}

} // namespace ergotab
