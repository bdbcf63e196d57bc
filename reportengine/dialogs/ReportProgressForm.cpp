#include "ReportProgressForm.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ergotab::report {

namespace {

// Often enough that "Zrušit" answers at once, seldom enough not to slow a long report.
constexpr int eventsEveryMs = 40;

} // namespace

ReportProgressForm::ReportProgressForm(const QString &reportName, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TReportProgressForm"));
    setWindowTitle(QStringLiteral("Příprava sestavy"));
    setWindowModality(Qt::ApplicationModal);
    auto *title = new QLabel(QStringLiteral("Připravuje se sestava „%1“.").arg(reportName), this);
    title->setObjectName(QStringLiteral("ReportNameLabel"));
    m_records = new QLabel(this);
    m_records->setObjectName(QStringLiteral("RecordLabel"));
    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("PageLabel"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ReportProgressBar"));
    m_bar->setTextVisible(false);
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(m_cancel, &QPushButton::clicked, this, &ReportProgressForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_bar);
    auto *figures = new QHBoxLayout;
    figures->addWidget(m_records, 1);
    figures->addWidget(m_pages);
    layout->addLayout(figures);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

bool ReportProgressForm::advance(const Progress &progress)
{
    const QString pass = progress.pass > 1 ? QStringLiteral(" (druhý průchod)") : QString();
    m_records->setText(progress.recordCount > 0
                           ? QStringLiteral("Záznam %1 z %2%3").arg(progress.record).arg(progress.recordCount).arg(pass)
                           : QStringLiteral("Záznam %1%2").arg(progress.record).arg(pass));
    m_pages->setText(QStringLiteral("Strana %1").arg(progress.page));
    m_bar->setRange(0, std::max(0, progress.recordCount));
    m_bar->setValue(std::min(progress.record, std::max(0, progress.recordCount)));
    if (!isVisible()) {
        show();
        m_sinceEvents.invalidate();
    }
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= eventsEveryMs) {
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    return !m_cancelled;
}

void ReportProgressForm::reject()
{
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_records->setText(QStringLiteral("Přerušuje se…"));
}

} // namespace ergotab::report
