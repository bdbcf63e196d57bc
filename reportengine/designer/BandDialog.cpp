#include "BandDialog.h"

#include "ExpressionEditor.h"
#include "reportengine/designer/core/ExpressionCheck.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

BandDialog::BandDialog(const DesignerHost &host, const ReportTemplate &report, const Band &band, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_report(report)
    , m_band(band)
{
    setObjectName(QStringLiteral("BandDialog"));
    setWindowTitle(QStringLiteral("Vlastnosti pásu – ") + bandKindCaption(band.kind));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    m_name = new QLineEdit(band.name);
    m_name->setObjectName(QStringLiteral("BandNameEdit"));
    form->addRow(QStringLiteral("Název:"), m_name);
    m_height = new QDoubleSpinBox;
    m_height->setObjectName(QStringLiteral("BandHeightSpin"));
    m_height->setLocale(QLocale(QLocale::Czech));
    m_height->setRange(0, 1000);
    m_height->setDecimals(1);
    m_height->setSuffix(QStringLiteral(" mm"));
    m_height->setValue(band.height);
    form->addRow(QStringLiteral("Výška:"), m_height);

    const bool data = isDataBand(band.kind);
    if (data) {
        m_source = new QComboBox;
        m_source->setObjectName(QStringLiteral("DataSourceCombo"));
        m_source->setEditable(true);
        for (const DesignerDataSource &source : host.sources)
            m_source->addItem(source.name);
        m_source->setCurrentText(band.dataSource);
        m_source->setToolTip(QStringLiteral("Zdroj dat, nebo číslo: tolik záznamů bez dat"));
        form->addRow(QStringLiteral("Zdroj dat:"), m_source);
        if (band.kind != BandKind::MasterData) {
            m_key = expressionRow(form, QStringLiteral("Klíč záznamu:"), "KeyEdit", band.key, false);
            m_masterKey =
                expressionRow(form, QStringLiteral("Klíč nadřízeného:"), "MasterKeyEdit", band.masterKey, false);
        }
    }
    if (band.kind == BandKind::GroupHeader)
        m_condition = expressionRow(form, QStringLiteral("Podmínka skupiny:"), "ConditionEdit", band.condition, false);
    m_printIf = expressionRow(form, QStringLiteral("Tisknout, jen když:"), "PrintIfEdit", band.printIf, false);

    m_child = new QComboBox;
    m_child->setObjectName(QStringLiteral("ChildBandCombo"));
    m_child->addItem(QStringLiteral("(žádný)"), QString());
    for (const ReportPage &page : report.pages)
        for (const Band &other : page.bands)
            if (other.kind == BandKind::Child && other.name != band.name)
                m_child->addItem(other.name, other.name);
    m_child->setCurrentIndex(std::max(0, m_child->findData(band.childBand)));
    form->addRow(QStringLiteral("Podřízený pás:"), m_child);

    auto *flags = new QGroupBox(QStringLiteral("Volby"));
    auto *grid = new QGridLayout(flags);
    const std::tuple<QString, const char *, bool Band::*> options[] = {
        {QStringLiteral("Výška podle obsahu"), "BandStretchCheck", &Band::stretch},
        {QStringLiteral("Nedělit na dvě stránky"), "KeepTogetherCheck", &Band::keepTogether},
        {QStringLiteral("Smí se rozdělit"), "CanSplitCheck", &Band::canSplit},
        {QStringLiteral("Nová stránka před"), "NewPageBeforeCheck", &Band::newPageBefore},
        {QStringLiteral("Nová stránka po"), "NewPageAfterCheck", &Band::newPageAfter},
        {QStringLiteral("Tisknout na první stránce"), "FirstPageCheck", &Band::printOnFirstPage},
        {QStringLiteral("Tisknout na poslední stránce"), "LastPageCheck", &Band::printOnLastPage},
        {QStringLiteral("Opakovat na každé stránce"), "RepeatCheck", &Band::repeatOnEachPage},
        {QStringLiteral("Tisknout i bez podřízených dat"), "PrintIfEmptyCheck", &Band::printIfEmpty},
        {QStringLiteral("Viditelný"), "BandVisibleCheck", &Band::visible},
    };
    int row = 0;
    for (const auto &[caption, name, member] : options) {
        auto *box = new QCheckBox(caption);
        box->setObjectName(QLatin1String(name));
        box->setChecked(band.*member);
        grid->addWidget(box, row % 5, row / 5);
        m_flags.emplace_back(box, member);
        ++row;
    }
    layout->addWidget(flags);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("BandStatus"));
    m_status->setWordWrap(true);
    m_status->setStyleSheet(QStringLiteral("color:#b00020"));
    layout->addWidget(m_status);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BandDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    installDesignerHelp(this, host, DesignerHelp::Band);
    check();
}

QLineEdit *BandDialog::expressionRow(QFormLayout *form, const QString &label, const char *name, const QString &value,
                                     bool text)
{
    auto *row = new QHBoxLayout;
    auto *edit = new QLineEdit(value);
    edit->setObjectName(QLatin1String(name));
    auto *button = new QPushButton(QStringLiteral("…"));
    button->setFixedWidth(32);
    button->setToolTip(QStringLiteral("Upravit výraz"));
    row->addWidget(edit, 1);
    row->addWidget(button);
    form->addRow(label, row);
    m_expressions.emplace_back(label, edit);
    connect(edit, &QLineEdit::textChanged, this, &BandDialog::check);
    connect(button, &QPushButton::clicked, this, [this, edit, text] {
        ExpressionEditor editor(m_host, m_report,
                                text ? ExpressionEditor::Mode::Text : ExpressionEditor::Mode::Expression, edit->text(),
                                this);
        if (editor.exec() == QDialog::Accepted)
            edit->setText(editor.text().trimmed());
    });
    return edit;
}

QString BandDialog::problem() const
{
    for (const auto &[label, edit] : m_expressions)
        if (const auto problem = checkExpression(edit->text()))
            return QStringLiteral("%1 chyba na pozici %2: %3").arg(label).arg(problem->position).arg(problem->message);
    return {};
}

void BandDialog::check()
{
    for (const auto &[label, edit] : m_expressions)
        edit->setStyleSheet(checkExpression(edit->text()) ? QStringLiteral("background:#ffc0c0") : QString());
    m_status->setText(problem());
}

void BandDialog::accept()
{
    check();
    if (problem().isEmpty())
        QDialog::accept();
}

Band BandDialog::band() const
{
    Band band = m_band;
    if (!m_name->text().trimmed().isEmpty())
        band.name = m_name->text().trimmed();
    band.height = m_height->value();
    if (m_source)
        band.dataSource = m_source->currentText().trimmed();
    if (m_key)
        band.key = m_key->text().trimmed();
    if (m_masterKey)
        band.masterKey = m_masterKey->text().trimmed();
    if (m_condition)
        band.condition = m_condition->text().trimmed();
    band.printIf = m_printIf->text().trimmed();
    band.childBand = m_child->currentData().toString();
    for (const auto &[box, member] : m_flags)
        band.*member = box->isChecked();
    return band;
}

} // namespace ergotab::report::designer
