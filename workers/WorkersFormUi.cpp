#include "WorkersFormUi.h"

#include "DateField.h"
#include "MaskedField.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::workers {

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

QList<QWidget *> WorkersFormUi::fields() const
{
    return {Edit3,     Edit6, Edit1,     Edit2,     DateEdit1, MaskEdit1, Edit4,
            MaskEdit2, Edit5, MaskEdit3, ComboBox1, DateEdit2, ComboBox2};
}

void WorkersFormUi::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("TWorkersForm"));
    dialog->setWindowTitle(QStringLiteral("Zaměstnanci"));
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::WindowMaximizeButtonHint);
    dialog->setSizeGripEnabled(true);

    auto *outer = new QVBoxLayout(dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Splitter1 = named(new QSplitter(Qt::Horizontal, dialog), "Splitter1");
    Splitter1->setOpaqueResize(true);
    Splitter1->setChildrenCollapsible(false);
    ListBox1 = named(new QListWidget(Splitter1), "ListBox1");
    Panel1 = named(new QWidget(Splitter1), "Panel1");
    Splitter1->addWidget(ListBox1);
    Splitter1->addWidget(Panel1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({145, 384});
    outer->addWidget(Splitter1, 1);
    setupFields(Panel1);
    // At least 372 x 297, more when the fonts need it.
    Panel1->setMinimumSize(Panel1->layout()->minimumSize().expandedTo(QSize(372, 297)));

    auto *bar = named(new QWidget(dialog), "Panel2");
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 4, 4, 4);
    SpeedButton1 = named(new QToolButton(bar), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("+"));
    SpeedButton1->setToolTip(QStringLiteral("Nový"));
    SpeedButton2 = named(new QToolButton(bar), "SpeedButton2");
    SpeedButton2->setText(QStringLiteral("-"));
    SpeedButton2->setToolTip(QStringLiteral("Vymazat"));
    for (QToolButton *b : {SpeedButton1, SpeedButton2}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(25, 25);
        barLayout->addWidget(b);
    }
    barLayout->addStretch(1);
    BitBtn3 = named(new QPushButton(QStringLiteral("Zavřít"), bar), "BitBtn3");
    BitBtn3->setAutoDefault(false);
    barLayout->addWidget(BitBtn3);
    outer->addWidget(bar);

    setupTabOrder();
    dialog->resize(QSize(529, 365).expandedTo(dialog->minimumSizeHint()));
}

void WorkersFormUi::setupFields(QWidget *panel)
{
    Edit3 = named(new QLineEdit(panel), "Edit3");
    Edit6 = named(new QLineEdit(panel), "Edit6");
    Edit1 = named(new QLineEdit(panel), "Edit1");
    Edit2 = named(new QLineEdit(panel), "Edit2");
    DateEdit1 = named(new DateField(panel), "DateEdit1");
    MaskEdit1 = named(new MaskedField(QStringLiteral("999999-9990"), panel), "MaskEdit1");
    Edit4 = named(new QLineEdit(panel), "Edit4");
    MaskEdit2 = named(new MaskedField(QStringLiteral("999 99"), panel), "MaskEdit2");
    Edit5 = named(new QLineEdit(panel), "Edit5");
    MaskEdit3 = named(new QLineEdit(panel), "MaskEdit3");
    MaskEdit3->setMaxLength(6);
    ComboBox1 = named(new QComboBox(panel), "ComboBox1");
    ComboBox1->addItems({QStringLiteral("Směn"), QStringLiteral("Let")});
    DateEdit2 = named(new DateField(panel), "DateEdit2");
    ComboBox2 = named(new QComboBox(panel), "ComboBox2");
    ComboBox2->addItems({QStringLiteral("Schopen"), QStringLiteral("Schopen s omezením"), QStringLiteral("Neschopen")});

    const QFontMetrics metrics = panel->fontMetrics();
    const auto widthFor = [&metrics](const char *sample) {
        return metrics.horizontalAdvance(QLatin1String(sample)) + 12;
    };
    for (DateField *date : {DateEdit1, DateEdit2})
        date->setFixedWidth(widthFor("00.00.0000") + date->dropDownButton()->sizeHint().width());
    MaskEdit1->setFixedWidth(widthFor("000000-0000"));
    MaskEdit2->setFixedWidth(widthFor("000 000"));
    MaskEdit3->setFixedWidth(widthFor("0000000"));

    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(10);

    // Two fields a row: personal number and profession, surname and first name, birth.
    auto *top = new QGridLayout;
    top->setHorizontalSpacing(6);
    top->setVerticalSpacing(6);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);
    top->addWidget(label(QStringLiteral("Osobní číslo:"), panel), 0, 0);
    top->addWidget(Edit3, 0, 1);
    top->addWidget(label(QStringLiteral("Profese:"), panel), 0, 2);
    top->addWidget(Edit6, 0, 3);
    top->addWidget(label(QStringLiteral("Příjmení:"), panel), 1, 0);
    top->addWidget(Edit1, 1, 1);
    top->addWidget(label(QStringLiteral("Jméno:"), panel), 1, 2);
    top->addWidget(Edit2, 1, 3);
    top->addWidget(label(QStringLiteral("Narozen:"), panel), 2, 0);
    top->addWidget(DateEdit1, 2, 1, Qt::AlignLeft);
    top->addWidget(label(QStringLiteral("Rodné číslo:"), panel), 2, 2);
    top->addWidget(MaskEdit1, 2, 3, Qt::AlignLeft);
    // The residence: street, then postcode and town under it.
    top->addWidget(label(QStringLiteral("Bydliště:"), panel), 3, 0);
    top->addWidget(Edit4, 3, 1, 1, 3);
    auto *town = new QHBoxLayout;
    town->addWidget(MaskEdit2);
    town->addWidget(Edit5, 1);
    top->addLayout(town, 4, 1, 1, 3);
    column->addLayout(top);

    // The risk and the medical check, with their longer captions.
    auto *lower = new QGridLayout;
    lower->setHorizontalSpacing(6);
    lower->setVerticalSpacing(6);
    lower->setColumnStretch(2, 1);
    lower->addWidget(label(QStringLiteral("Doba odpracovaná v riziku:"), panel), 0, 0);
    lower->addWidget(MaskEdit3, 0, 1);
    lower->addWidget(ComboBox1, 0, 2, Qt::AlignLeft);
    lower->addWidget(label(QStringLiteral("Datum poslední lékařské kontroly:"), panel), 1, 0);
    lower->addWidget(DateEdit2, 1, 1, 1, 2, Qt::AlignLeft);
    lower->addWidget(label(QStringLiteral("Výsledek lékařské kontroly:"), panel), 2, 0);
    lower->addWidget(ComboBox2, 2, 1, 1, 2, Qt::AlignLeft);
    column->addLayout(lower);
    column->addStretch(1);

    BitBtn1 = named(new QPushButton(QStringLiteral("Uložit"), panel), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(QStringLiteral("Storno"), panel), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    column->addLayout(buttons);
}

void WorkersFormUi::setupTabOrder()
{
    const QList<QWidget *> order = {Edit3,     Edit1,     Edit2,     DateEdit1, MaskEdit1, Edit4,   MaskEdit2, Edit5,
                                    MaskEdit3, ComboBox1, DateEdit2, ComboBox2, BitBtn1,   BitBtn2, Edit6};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    ListBox1->setFocusPolicy(Qt::StrongFocus);
}

} // namespace ergotab::workers
