#pragma once

// A dialog page of the template (asked before the report is prepared): its controls placed on
// a form-sized canvas, chosen by click, moved by dragging or with the arrows, resized from the
// lower right corner or with Shift+arrows; new controls of each kind; the selected control's and
// the page's properties beside it; a test run showing the page as the report run shows it.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/core/DesignerModel.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QCheckBox;
class QLabel;

namespace ergotab::report::designer {

class DialogCanvas;

class DialogPageEditor : public QWidget
{
    Q_OBJECT

public:
    DialogPageEditor(DesignerModel &model, const DesignerHost &host, int dialog, QWidget *parent = nullptr);

    int dialogIndex() const { return m_dialog; }
    int selectedControl() const;
    void selectControl(int index);
    void insertControl(ControlKind kind);
    void deleteControl();
    // Shows the page through the host; the values it gave back, or empty when cancelled.
    void testRun();

private:
    const DialogPage &page() const;
    void change(const std::function<void(DialogPage &)> &edit, const QString &text);
    void refresh();

    DesignerModel &m_model;
    const DesignerHost &m_host;
    int m_dialog;
    bool m_refreshing = false;
    DialogCanvas *m_canvas = nullptr;
    QLineEdit *m_caption = nullptr;
    QSpinBox *m_pageWidth = nullptr;
    QSpinBox *m_pageHeight = nullptr;
    QLabel *m_controlKind = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_text = nullptr;
    QPlainTextEdit *m_items = nullptr;
    QCheckBox *m_checked = nullptr;
    QComboBox *m_result = nullptr;
    QSpinBox *m_geometry[4] = {};
};

} // namespace ergotab::report::designer
