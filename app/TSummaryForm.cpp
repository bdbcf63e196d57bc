#include "TSummaryForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ergotab {

namespace {

constexpr int kColumnsPerCategory = 3;

} // namespace

TSummaryForm::TSummaryForm(std::function<tree::CategorySummary(int)> summarise, int selectedNode,
                           const QString &selectedCaption, QWidget *parent)
    : QDialog(parent)
    , m_summarise(std::move(summarise))
    , m_selectedNode(selectedNode)
    , m_wholeDocument(new QRadioButton(QStringLiteral("Celý dokument"), this))
    , m_selected(new QRadioButton(selectedNode != 0 ? QStringLiteral("Vybraný uzel: %1").arg(selectedCaption)
                                                    : QStringLiteral("Vybraný uzel"),
                                  this))
    , m_table(new QTableWidget(FactorCount + 1, CategoryCount * kColumnsPerCategory, this))
    , m_totals(new QLabel(this))
{
    setObjectName(QStringLiteral("SummaryForm"));
    installHelpKey(this, HelpTopic::Summary);
    setWindowTitle(QStringLiteral("Souhrn"));
    m_wholeDocument->setObjectName(QStringLiteral("WholeDocumentRadio"));
    m_selected->setObjectName(QStringLiteral("SelectedNodeRadio"));
    m_table->setObjectName(QStringLiteral("SummaryTable"));
    m_totals->setObjectName(QStringLiteral("TotalsLabel"));
    m_selected->setEnabled(selectedNode != 0);
    (selectedNode != 0 ? m_selected : m_wholeDocument)->setChecked(true);

    QStringList columns;
    for (int category = 1; category <= CategoryCount; ++category)
        columns << QStringLiteral("%1\nhodnocení").arg(category) << QStringLiteral("%1\nzaměstnanci").arg(category)
                << QStringLiteral("%1\nženy").arg(category);
    m_table->setHorizontalHeaderLabels(columns);
    // The factors' captions are long: the column of them keeps a fixed width, cuts them short
    // with "…" (the header itself would cut them mid-letter without a mark) and shows each whole
    // as a tool-tip, so the counts get the room.
    const QString totalCaption = QStringLiteral("Celkem (nejvyšší kategorie)");
    const QFontMetrics headerMetrics = m_table->verticalHeader()->fontMetrics();
    const int captionWidth = headerMetrics.horizontalAdvance(totalCaption);
    m_table->verticalHeader()->setFixedWidth(captionWidth + 16);
    for (int n = 1; n <= FactorCount + 1; ++n) {
        const QString caption = n <= FactorCount ? factor(n).rowCaption : totalCaption;
        auto *header = new QTableWidgetItem(headerMetrics.elidedText(caption, Qt::ElideRight, captionWidth));
        header->setToolTip(caption);
        m_table->setVerticalHeaderItem(n - 1, header);
    }
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *scope = new QHBoxLayout;
    scope->addWidget(m_wholeDocument);
    scope->addWidget(m_selected);
    scope->addStretch();
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *copy = buttons->addButton(QStringLiteral("Kopírovat"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyButton"));
    QPushButton *close = buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseButton"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(scope);
    layout->addWidget(m_table);
    layout->addWidget(m_totals);
    layout->addWidget(buttons);

    connect(copy, &QPushButton::clicked, this, &TSummaryForm::CopyButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_wholeDocument, &QRadioButton::toggled, this, &TSummaryForm::refresh);
    refresh();
    fitToTable();
}

void TSummaryForm::fitToTable()
{
    // Every column and row in view at once where the screen allows it.
    m_table->resizeColumnsToContents();
    const int frame = 2 * m_table->frameWidth();
    const QSize table(m_table->verticalHeader()->width() + m_table->horizontalHeader()->length() + frame,
                      m_table->horizontalHeader()->sizeHint().height() + m_table->verticalHeader()->length() + frame);
    m_table->setMinimumSize(table);
    layout()->activate();
    QSize wanted = sizeHint();
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        const QSize limit = screen->availableGeometry().size() * 9 / 10;
        // Too wide for the screen: the scroll bar below the table takes room from the rows.
        if (wanted.width() > limit.width())
            wanted.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        wanted = wanted.boundedTo(limit);
    }
    // The user may still make it smaller; the table scrolls then.
    m_table->setMinimumSize(0, 0);
    layout()->activate();
    resize(wanted);
}

void TSummaryForm::refresh()
{
    m_summary = m_summarise(m_selected->isChecked() ? m_selectedNode : 0);
    const auto fill = [this](int row, int category, const tree::HeadCounts &counts) {
        const qint64 values[] = {counts.assessments, counts.employees, counts.women};
        for (int i = 0; i < kColumnsPerCategory; ++i) {
            auto *cell = new QTableWidgetItem(QString::number(values[i]));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, (category - 1) * kColumnsPerCategory + i, cell);
        }
    };
    for (int n = 1; n <= FactorCount; ++n)
        for (int category = 1; category <= CategoryCount; ++category)
            fill(n - 1, category, m_summary.byFactor[size_t(n - 1)][size_t(category - 1)]);
    for (int category = 1; category <= CategoryCount; ++category)
        fill(FactorCount, category, m_summary.byOverall[size_t(category)]);
    m_totals->setText(QStringLiteral("Hodnocení: %1, zaměstnanců: %2, z toho žen: %3; bez kategorie: %4")
                          .arg(m_summary.total.assessments)
                          .arg(m_summary.total.employees)
                          .arg(m_summary.total.women)
                          .arg(m_summary.byOverall[0].assessments));
}

void TSummaryForm::CopyButtonClick()
{
    QApplication::clipboard()->setText(tree::summaryAsTable(m_summary));
}

} // namespace ergotab
