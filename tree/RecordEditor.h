#pragma once

#include "EditLock.h"
#include "EditorPages.h"

#include <QObject>

class QWidget;

namespace ergotab::tree {

class DocumentTree;

// The pages of PageControl1 the editor shows: nothing selected, a node, an assessment.
struct EditorPageSet
{
    QWidget *nonePage = nullptr;
    QWidget *nodePage = nullptr;
    QWidget *itemPage = nullptr;
};

// The editor of the selected record. It builds its controls into the node and assessment
// pages, shows the selected row in them, and writes them back on "Uložit". Any change of a
// control (by the user or by code such as the wizard) while the editor is ready turns the
// editing state on; loading the controls never does.
class RecordEditor : public QObject
{
    Q_OBJECT
public:
    RecordEditor(DocumentTree &tree, const EditorPageSet &pages, const EditLock::Targets &lockTargets,
                 QObject *parent = nullptr);

    const EditorControls &controls() const { return m_controls; }
    // The editor-ready flag: set when LoadEditor has filled the controls.
    bool isReady() const { return m_ready; }
    // Changes are pending exactly while "Uložit" is enabled.
    bool isEditing() const { return m_lock.isOn(); }

    void SetEditLock(bool on) { m_lock.set(on); }

    // After adding: the focus into the name field of the record's page; for an assessment the
    // tab "Kategorie" comes to the front first.
    void focusNodeName();
    void focusAssessmentName();

public slots:
    void LoadEditor();
    void NodeNameEditChange();
    void StoreBitBtnClick();
    void CancelBitBtnClick();

private:
    void connectChanges();
    void showPage(QWidget *page);
    void loadAssessment();
    void storeAssessment();

    DocumentTree &m_tree;
    EditorPageSet m_pages;
    EditorControls m_controls;
    EditLock m_lock;
    bool m_ready = false;
};

} // namespace ergotab::tree
