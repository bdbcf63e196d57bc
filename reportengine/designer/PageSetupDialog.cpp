#include "PageSetupDialog.h"

#include "reportengine/designer/core/ObjectFactory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ergotab::report::designer {

namespace {

constexpr PaperSize papers[] = {PaperSize::A4,     PaperSize::A3,    PaperSize::A5,
                                PaperSize::Letter, PaperSize::Legal, PaperSize::Custom};

QDoubleSpinBox *mmSpin(const QString &name, double value, double max)
{
    auto *spin = new QDoubleSpinBox;
    spin->setObjectName(name);
    spin->setLocale(QLocale(QLocale::Czech)); // a decimal comma, as everywhere in the program
    spin->setRange(0, max);
    spin->setDecimals(1);
    spin->setSuffix(QStringLiteral(" mm"));
    spin->setValue(value);
    return spin;
}

} // namespace

PageSetupDialog::PageSetupDialog(const DesignerHost &host, const PageSetup &setup, QWidget *parent)
    : QDialog(parent)
    , m_original(setup)
{
    setObjectName(QStringLiteral("PageSetupDialog"));
    setWindowTitle(QStringLiteral("Vzhled stránky"));
    auto *layout = new QVBoxLayout(this);

    auto *paperBox = new QGroupBox(QStringLiteral("Papír"));
    auto *paperForm = new QFormLayout(paperBox);
    m_paper = new QComboBox;
    m_paper->setObjectName(QStringLiteral("PaperCombo"));
    for (PaperSize paper : papers)
        m_paper->addItem(paperCaption(paper), int(paper));
    m_paper->setCurrentIndex(m_paper->findData(int(setup.paper)));
    paperForm->addRow(QStringLiteral("Formát:"), m_paper);
    m_width = mmSpin(QStringLiteral("PaperWidthSpin"), setup.customSizeMm.width(), 2000);
    m_height = mmSpin(QStringLiteral("PaperHeightSpin"), setup.customSizeMm.height(), 2000);
    paperForm->addRow(QStringLiteral("Šířka:"), m_width);
    paperForm->addRow(QStringLiteral("Výška:"), m_height);
    auto *orientation = new QHBoxLayout;
    m_portrait = new QRadioButton(QStringLiteral("Na výšku"));
    m_portrait->setObjectName(QStringLiteral("PortraitRadio"));
    m_landscape = new QRadioButton(QStringLiteral("Na šířku"));
    m_landscape->setObjectName(QStringLiteral("LandscapeRadio"));
    (setup.orientation == Orientation::Portrait ? m_portrait : m_landscape)->setChecked(true);
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    paperForm->addRow(QStringLiteral("Orientace:"), orientation);
    layout->addWidget(paperBox);

    auto *marginBox = new QGroupBox(QStringLiteral("Okraje"));
    auto *marginForm = new QFormLayout(marginBox);
    const double values[] = {setup.margins.left, setup.margins.top, setup.margins.right, setup.margins.bottom};
    const QString labels[] = {QStringLiteral("Vlevo:"), QStringLiteral("Nahoře:"), QStringLiteral("Vpravo:"),
                              QStringLiteral("Dole:")};
    const QString names[] = {QStringLiteral("MarginLeftSpin"), QStringLiteral("MarginTopSpin"),
                             QStringLiteral("MarginRightSpin"), QStringLiteral("MarginBottomSpin")};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = mmSpin(names[i], values[i], 200);
        marginForm->addRow(labels[i], m_margins[i]);
    }
    layout->addWidget(marginBox);

    auto *columnBox = new QGroupBox(QStringLiteral("Sloupce"));
    auto *columnForm = new QFormLayout(columnBox);
    m_columns = new QSpinBox;
    m_columns->setObjectName(QStringLiteral("ColumnsSpin"));
    m_columns->setRange(1, 10);
    m_columns->setValue(setup.columns);
    columnForm->addRow(QStringLiteral("Počet:"), m_columns);
    m_gap = mmSpin(QStringLiteral("ColumnGapSpin"), setup.columnGapMm, 100);
    columnForm->addRow(QStringLiteral("Mezera:"), m_gap);
    layout->addWidget(columnBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &PageSetupDialog::paperChosen);
    paperChosen();
    installDesignerHelp(this, host, DesignerHelp::PageSetup);
}

void PageSetupDialog::paperChosen()
{
    const auto paper = PaperSize(m_paper->currentData().toInt());
    const bool custom = paper == PaperSize::Custom;
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
    if (!custom) {
        m_width->setValue(paperSizeMm(paper).width());
        m_height->setValue(paperSizeMm(paper).height());
    }
}

PageSetup PageSetupDialog::setup() const
{
    PageSetup setup = m_original;
    setup.paper = PaperSize(m_paper->currentData().toInt());
    if (setup.paper == PaperSize::Custom)
        setup.customSizeMm = QSizeF(std::max(10.0, m_width->value()), std::max(10.0, m_height->value()));
    setup.orientation = m_landscape->isChecked() ? Orientation::Landscape : Orientation::Portrait;
    setup.margins = {m_margins[0]->value(), m_margins[1]->value(), m_margins[2]->value(), m_margins[3]->value()};
    setup.columns = m_columns->value();
    setup.columnGapMm = m_gap->value();
    return setup;
}

} // namespace ergotab::report::designer
