#pragma once

// The report designer window ("Úprava sestav"): the design surface with rulers between the
// data tree and the property panel, menus and tool bars for files, editing, inserting bands and
// objects, aligning and the view; the preview over the caller's data. Modal, like the preview.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/core/Arrange.h"
#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

namespace ergotab::report::designer {

class DataTree;
class DesignSurface;
class DialogPageEditor;
class PageTabs;
class PropertyPanel;
class Ruler;

// What the window asks the user through standard dialogs; tests put in their answers.
struct DesignerHooks
{
    enum class Answer { Yes, No, Cancel };
    std::function<QString(QWidget *parent, const QString &folder)> openFileName;
    std::function<QString(QWidget *parent, const QString &suggestedPath)> saveFileName;
    std::function<Answer(QWidget *parent, const QString &question)> ask;
    std::function<void(QWidget *parent, const QString &message)> showError;
    // What an opened template of the earlier engine could not carry over; does not stop the work.
    std::function<void(QWidget *parent, const QString &message, const QStringList &warnings)> showWarnings;
    std::function<void(QWidget *parent, PreparedReport report)> showPreview;
};

class ReportDesigner : public QDialog
{
    Q_OBJECT

public:
    explicit ReportDesigner(DesignerHost host, QWidget *parent = nullptr);
    ~ReportDesigner() override;

    DesignerModel &model() { return m_model; }
    DesignSurface &surface() { return *m_surface; }
    PropertyPanel &propertyPanel() { return *m_panel; }
    DataTree &dataTree() { return *m_tree; }
    DesignerHooks &hooks() { return m_hooks; }
    const DesignerHost &host() const { return m_host; }
    QString fileName() const { return m_fileName; }
    QAction *action(const QString &objectName) const;

    // The file commands; false when cancelled or failed (the failure shown).
    void newReport();
    bool openFile(const QString &path);
    bool openDialog();
    bool save();
    bool saveAs();
    void preview();
    // Asks whether to save changes; false when the user stays.
    bool maybeSave();

    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void arrange(const std::function<std::vector<QRectF>(std::vector<QRectF>)> &how, const QString &text);
    void insertBand(BandKind kind);
    void editBand(int band);
    void deleteBand();
    void editPageSetup();
    void editTemplateInfo();
    void editVariables();
    void editObjectText();
    void insertDialogPage();
    void deleteDialogPage();
    // A new report page after the one in front, and the one in front deleted (asked first when
    // it holds anything); the last report page stays.
    void insertReportPage();
    void deleteReportPage();
    PageTabs &pageTabs() { return *m_tabs; }
    // The dialog page editors, one tab each after the report pages.
    DialogPageEditor *dialogEditor(int index) const;

    // The template for new reports: one A4 page without bands.
    static ReportTemplate emptyTemplate();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildMenus();
    void buildToolBars();
    void buildLayout();
    QAction *addAction(QMenu *menu, const QString &text, const char *name, const QKeySequence &shortcut,
                       std::function<void()> slot);
    bool writeTo(const QString &path);
    void updateTitle();
    void updateActions();
    void showError(const QString &message);
    void showScripts();
    void showHelp();

    DesignerHost m_host;
    DesignerHooks m_hooks;
    DesignerModel m_model;
    QString m_fileName;
    bool m_olderFormat = false; // opened from a format we do not write

    PageTabs *m_tabs = nullptr;
    DesignSurface *m_surface = nullptr;
    QScrollArea *m_scroll = nullptr;
    Ruler *m_hRuler = nullptr;
    Ruler *m_vRuler = nullptr;
    PropertyPanel *m_panel = nullptr;
    DataTree *m_tree = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_zoomLabel = nullptr;
    QToolBar *m_fileBar = nullptr;
    QToolBar *m_objectBar = nullptr;
    QToolBar *m_alignBar = nullptr;
    std::vector<std::pair<QAction *, ObjectKind>> m_insertActions;
    std::vector<QAction *> m_selectionActions; // enabled only with a selection
    std::vector<QAction *> m_multiActions;     // with two or more selected
    std::vector<QAction *> m_bandActions;      // with a current band
    std::vector<QAction *> m_pageActions;      // with a report page in front and another one left
};

} // namespace ergotab::report::designer
