#include "TVyberForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ergotab::library {

TVyberForm::TVyberForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VyberForm"));
    installHelpKey(this, HelpTopic::SampleVariants);
    setWindowTitle(QStringLiteral("Vyberte specifikaci"));

    auto *intro = new QLabel(QStringLiteral("Pro faktor:"), this);
    FaktorRxLabel = new QLabel(this);
    FaktorRxLabel->setObjectName(QStringLiteral("FaktorRxLabel"));
    QFont bold = FaktorRxLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    FaktorRxLabel->setFont(bold);
    auto *question =
        new QLabel(QStringLiteral("jsou různé vzory opatření. Vyberte bližší specifikaci z nabídky:"), this);
    question->setWordWrap(true);
    SpecifikComboBox = new QComboBox(this);
    SpecifikComboBox->setObjectName(QStringLiteral("SpecifikComboBox"));
    SpecifikComboBox->setEditable(false);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(FaktorRxLabel);
    layout->addWidget(question);
    layout->addWidget(SpecifikComboBox);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);
    setFixedSize(360, 170);

    connect(SpecifikComboBox, &QComboBox::currentIndexChanged, this, &TVyberForm::SpecifikComboBoxChange);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TVyberForm::offer(const QString &factorName, const QStringList &specifications)
{
    FaktorRxLabel->setText(factorName);
    SpecifikComboBox->clear();
    SpecifikComboBox->addItems(specifications);
    SpecifikComboBox->setCurrentIndex(-1);
    BitBtn1->setEnabled(false);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

int TVyberForm::chosen() const
{
    return SpecifikComboBox->currentIndex();
}

void TVyberForm::SpecifikComboBoxChange()
{
    BitBtn1->setEnabled(SpecifikComboBox->currentIndex() >= 0);
}

} // namespace ergotab::library
