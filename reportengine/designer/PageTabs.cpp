#include "PageTabs.h"

#include "DesignSurface.h"
#include "DialogPageEditor.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ergotab::report::designer {

namespace {

QString pageCaption(const ReportPage &page)
{
    return QStringLiteral("Stránka: ") + page.name;
}

QString dialogCaption(const DialogPage &page)
{
    return QStringLiteral("Dialog: ") + page.name;
}

} // namespace

PageTabs::PageTabs(DesignerModel &model, const DesignerHost &host, DesignSurface &surface, QWidget *designArea,
                   QWidget *parent)
    : QTabWidget(parent)
    , m_model(model)
    , m_host(host)
    , m_surface(surface)
    , m_designArea(designArea)
{
    setObjectName(QStringLiteral("PageTabs"));
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_rebuilding)
            tabShown(index);
    });
    m_renameAction = new QAction(QStringLiteral("Přejmenovat stránku…"), this);
    m_renameAction->setObjectName(QStringLiteral("RenamePageAction"));
    connect(m_renameAction, &QAction::triggered, this, &PageTabs::renameCurrentPage);
    tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const int tab = tabBar()->tabAt(at);
        QList<QAction *> actions = m_menuActions;
        if (tab >= 0 && tab < reportPageCount())
            actions << m_renameAction;
        if (tab < 0 || actions.isEmpty())
            return;
        setCurrentIndex(tab);
        QMenu::exec(actions, tabBar()->mapToGlobal(at), nullptr, this);
    });
    rebuild();
}

int PageTabs::currentReportPage() const
{
    const int index = currentIndex();
    return index >= 0 && index < reportPageCount() ? index : -1;
}

int PageTabs::currentDialog() const
{
    const int index = currentIndex() - reportPageCount();
    return index >= 0 && index < int(m_dialogEditors.size()) ? index : -1;
}

void PageTabs::showReportPage(int index)
{
    if (index >= 0 && index < reportPageCount())
        setCurrentIndex(index);
}

void PageTabs::showDialog(int index)
{
    if (index >= 0 && index < int(m_dialogEditors.size()))
        setCurrentIndex(reportPageCount() + index);
}

DialogPageEditor *PageTabs::dialogEditor(int index) const
{
    return index >= 0 && index < int(m_dialogEditors.size()) ? m_dialogEditors[index] : nullptr;
}

void PageTabs::renameCurrentPage()
{
    const int page = currentReportPage();
    if (page < 0)
        return;
    const QString title = QStringLiteral("Přejmenovat stránku");
    const QString current = m_model.reportTemplate().pages.at(page).name;
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, title, QStringLiteral("Název stránky:"), QLineEdit::Normal, current, &ok).trimmed();
    if (!ok || name.isEmpty() || name == current)
        return;
    // Subreports naming the page follow it to the new name.
    if (!m_model.renameReportPage(page, name))
        QMessageBox::warning(this, title, QStringLiteral("Název „%1“ už v šabloně nese jiný prvek.").arg(name));
}

void PageTabs::follow()
{
    const ReportTemplate &report = m_model.reportTemplate();
    if (m_pageTabs.size() != report.pages.size() || m_dialogEditors.size() != report.dialogs.size()) {
        rebuild();
        return;
    }
    for (int i = 0; i < reportPageCount(); ++i)
        setTabText(i, pageCaption(report.pages[i]));
    for (int i = 0; i < int(m_dialogEditors.size()); ++i)
        setTabText(reportPageCount() + i, dialogCaption(report.dialogs[i]));
}

void PageTabs::rebuild()
{
    const ReportTemplate &report = m_model.reportTemplate();
    const int current = currentIndex();
    m_rebuilding = true;
    // The design area outlives the tabs that hold it.
    m_designArea->setParent(nullptr);
    while (count() > 0) {
        QWidget *tab = widget(0);
        removeTab(0);
        tab->deleteLater();
    }
    m_pageTabs.clear();
    m_dialogEditors.clear();
    for (const ReportPage &page : report.pages) {
        auto *holder = new QWidget;
        auto *layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        m_pageTabs.push_back(holder);
        addTab(holder, pageCaption(page));
    }
    for (int i = 0; i < int(report.dialogs.size()); ++i) {
        auto *editor = new DialogPageEditor(m_model, m_host, i);
        m_dialogEditors.push_back(editor);
        addTab(editor, dialogCaption(report.dialogs[i]));
    }
    const int shown = std::clamp(current, 0, std::max(0, count() - 1));
    setCurrentIndex(shown);
    m_rebuilding = false;
    tabShown(shown);
}

void PageTabs::tabShown(int index)
{
    // A dialog page in front leaves the design area on the surface's page, hidden with its tab.
    const int page =
        index >= 0 && index < reportPageCount() ? index : std::min(m_surface.page(), reportPageCount() - 1);
    if (page < 0)
        return;
    QWidget *holder = m_pageTabs[size_t(page)];
    if (m_designArea->parentWidget() != holder) {
        holder->layout()->addWidget(m_designArea);
        m_designArea->show();
    }
    if (m_surface.page() != page)
        m_surface.setPage(page);
}

} // namespace ergotab::report::designer
