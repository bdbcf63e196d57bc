#include "TFindDialog.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ergotab::library {

TFindDialog::TFindDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    installHelpKey(this, HelpTopic::Library);
    setWindowTitle(QStringLiteral("Najít"));
    setModal(false);

    auto *label = new QLabel(QStringLiteral("&Najít:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("FindEdit"));
    label->setBuddy(m_text);
    m_wholeWord = new QCheckBox(QStringLiteral("&Pouze celá slova"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWordCheckBox"));
    m_matchCase = new QCheckBox(QStringLiteral("&Rozlišovat malá a velká písmena"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCaseCheckBox"));

    auto *direction = new QGroupBox(QStringLiteral("Směr"), this);
    m_up = new QRadioButton(QStringLiteral("Nah&oru"), direction);
    m_up->setObjectName(QStringLiteral("UpRadioButton"));
    m_down = new QRadioButton(QStringLiteral("&Dolů"), direction);
    m_down->setObjectName(QStringLiteral("DownRadioButton"));
    m_down->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_findNext = new QPushButton(QStringLiteral("Najít &další"), this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    m_findNext->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    grid->addWidget(m_findNext, 0, 3);
    grid->addWidget(m_wholeWord, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(cancel, 1, 3);
    grid->addWidget(m_matchCase, 2, 0, 1, 2);

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &t) { m_findNext->setEnabled(!t.isEmpty()); });
    connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::findRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString TFindDialog::findText() const
{
    return m_text->text();
}

SearchOptions TFindDialog::options() const
{
    return {m_down->isChecked(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

void TFindDialog::hideEvent(QHideEvent *event)
{
    // Closing by the button, the title bar or Escape all end in hiding.
    QDialog::hideEvent(event);
    emit closed();
}

} // namespace ergotab::library
