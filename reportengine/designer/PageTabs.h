#pragma once

// The pages of the template as tabs: first each report page, all shown through the one design
// area (the surface with its rulers), which moves to the tab in front; then each dialog page
// with its editor. The tabs follow the template as pages come and go, also by undo and redo.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/core/DesignerModel.h"

#include <QList>
#include <QTabWidget>

#include <vector>

class QAction;

namespace ergotab::report::designer {

class DesignSurface;
class DialogPageEditor;

class PageTabs : public QTabWidget
{
    Q_OBJECT

public:
    PageTabs(DesignerModel &model, const DesignerHost &host, DesignSurface &surface, QWidget *designArea,
             QWidget *parent = nullptr);

    int reportPageCount() const { return int(m_pageTabs.size()); }
    // The report page in front, or -1 when a dialog page is.
    int currentReportPage() const;
    // The dialog page in front, or -1 when a report page is.
    int currentDialog() const;
    void showReportPage(int index);
    void showDialog(int index);
    DialogPageEditor *dialogEditor(int index) const;

    // After any change: tabs made again when pages came or went, their captions otherwise.
    void follow();
    // What a right click on a tab offers, after bringing that tab to the front; on a report
    // page's tab also renaming it.
    void setTabMenuActions(QList<QAction *> actions) { m_menuActions = std::move(actions); }
    // Asks for a new name of the report page in front.
    void renameCurrentPage();

private:
    void rebuild();
    void tabShown(int index);

    DesignerModel &m_model;
    const DesignerHost &m_host;
    DesignSurface &m_surface;
    QWidget *m_designArea;
    std::vector<QWidget *> m_pageTabs;
    std::vector<DialogPageEditor *> m_dialogEditors;
    QList<QAction *> m_menuActions;
    QAction *m_renameAction;
    bool m_rebuilding = false;
};

} // namespace ergotab::report::designer
