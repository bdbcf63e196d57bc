#pragma once

// Editing a rich text object as it will look: bold, italic, underline, font and size, colour and
// paragraph alignment on the selection, with fields, variables and functions inserted from the
// data tree as [ … ] parts. The object keeps HTML.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/PanelBindings.h"
#include "reportengine/model/ReportTemplate.h"

#include <QDialog>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;
class QToolButton;

namespace ergotab::report::designer {

class DataTree;

class RichTextEditor : public QDialog
{
    Q_OBJECT

public:
    RichTextEditor(const DesignerHost &host, const ReportTemplate &report, const QString &html,
                   QWidget *parent = nullptr);

    // The HTML to keep: the one given when nothing was changed.
    QString html() const;
    QTextEdit *editor() const { return m_edit; }
    DataTree *dataTree() const { return m_tree; }
    void setColorChooser(PanelBindings::ChooseColor choose) { m_chooseColor = std::move(choose); }

private:
    QToolButton *toolButton(const QString &text, const char *name, const QString &tip);
    void mergeFormat(const QTextCharFormat &format);
    void showFormat();

    QString m_original;
    PanelBindings::ChooseColor m_chooseColor;
    QTextEdit *m_edit = nullptr;
    DataTree *m_tree = nullptr;
    QToolButton *m_bold = nullptr;
    QToolButton *m_italic = nullptr;
    QToolButton *m_underline = nullptr;
    QFontComboBox *m_font = nullptr;
    QComboBox *m_size = nullptr;
    QToolButton *m_color = nullptr;
    QToolButton *m_align[4] = {};
};

} // namespace ergotab::report::designer
