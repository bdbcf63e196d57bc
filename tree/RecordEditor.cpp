#include "RecordEditor.h"

#include "CategoryGrid.h"
#include "CategoryMarks.h"
#include "DataTreeItem.h"
#include "DocumentTree.h"
#include "ObjectRecords.h"

#include "storage/AppError.h"
#include "storage/document/Document.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/TableFields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

namespace ergotab::tree {

namespace {

// Memos keep the Windows line breaks of the documents; the edit boxes work with bare "\n".
QString memoToEditor(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString editorToMemo(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Clears the editor-ready flag for a scope and sets it at the end, whatever happens.
class NotReady
{
public:
    explicit NotReady(bool &ready)
        : m_ready(ready)
    {
        m_ready = false;
    }
    ~NotReady() { m_ready = true; }

private:
    bool &m_ready;
};

} // namespace

RecordEditor::RecordEditor(DocumentTree &tree, const EditorPageSet &pages, const EditLock::Targets &lockTargets,
                           QObject *parent)
    : QObject(parent)
    , m_tree(tree)
    , m_pages(pages)
    , m_controls(buildEditorPages(pages.nodePage, pages.itemPage))
    , m_lock(lockTargets)
{
    connectChanges();
}

void RecordEditor::connectChanges()
{
    const EditorControls &c = m_controls;
    connect(c.NodeNameEdit, &QLineEdit::textChanged, this, &RecordEditor::NodeNameEditChange);
    connect(c.KatNameEdit, &QLineEdit::textChanged, this, &RecordEditor::NodeNameEditChange);
    connect(c.PracSpinEdit, &QSpinBox::valueChanged, this, &RecordEditor::NodeNameEditChange);
    connect(c.ZenSpinEdit, &QSpinBox::valueChanged, this, &RecordEditor::NodeNameEditChange);
    connect(c.Grid, &CategoryGrid::changed, this, &RecordEditor::NodeNameEditChange);
    for (QPlainTextEdit *memo : {c.PopisMemo, c.MereniMemo, c.OpatreniMemo})
        connect(memo, &QPlainTextEdit::textChanged, this, &RecordEditor::NodeNameEditChange);
}

void RecordEditor::NodeNameEditChange()
{
    if (m_ready)
        SetEditLock(true);
}

void RecordEditor::showPage(QWidget *page)
{
    if (!page)
        return;
    if (auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget())) {
        stack->setCurrentWidget(page);
        // A QTabWidget keeps its pages in a stack of its own.
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
            tabs->setCurrentWidget(page);
    }
}

void RecordEditor::LoadEditor()
{
    NotReady loading(m_ready);
    DataTreeItem *item = m_tree.selectedItem();
    if (!item) {
        showPage(m_pages.nonePage);
        return;
    }
    dbf::Table &objects = m_tree.document().objects();
    if (!locateObject(objects, item->index()))
        return;
    if (objects.fieldInt(fields::object::Type) == NodeType) {
        showPage(m_pages.nodePage);
        m_controls.NodeNameEdit->setText(objects.fieldText(fields::object::Text));
    } else {
        showPage(m_pages.itemPage);
        loadAssessment();
    }
}

void RecordEditor::loadAssessment()
{
    dbf::Table &objects = m_tree.document().objects();
    const EditorControls &c = m_controls;
    c.KatNameEdit->setText(objects.fieldText(fields::object::Text));
    for (const Factor &f : factorCatalogue())
        c.Grid->setMask(f.number, objects.fieldInt(f.fieldName));
    c.PracSpinEdit->setValue(objects.fieldInt(fields::object::Pracov));
    c.ZenSpinEdit->setValue(objects.fieldInt(fields::object::Zen));
    c.PopisMemo->setPlainText(memoToEditor(objects.fieldText(fields::object::Popis)));
    c.MereniMemo->setPlainText(memoToEditor(objects.fieldText(fields::object::Mereni)));
    c.OpatreniMemo->setPlainText(memoToEditor(objects.fieldText(fields::object::Opatreni)));
}

void RecordEditor::StoreBitBtnClick()
{
    DataTreeItem *item = m_tree.selectedItem();
    dbf::Table &objects = m_tree.document().objects();
    if (item && locateObject(objects, item->index())) {
        const bool assessment = objects.fieldInt(fields::object::Type) != NodeType;
        // Refused before anything is written; the editing state stays on for a correction.
        if (assessment && m_controls.ZenSpinEdit->value() > m_controls.PracSpinEdit->value())
            throw AppError(QStringLiteral("Počet žen nemůže být větší než počet zaměstnanců."));
        try {
            objects.edit();
            if (assessment)
                storeAssessment();
            else
                objects.setFieldText(fields::object::Text, m_controls.NodeNameEdit->text());
            // The caption shows the name as the record holds it, not as it was typed.
            const QString stored = objects.fieldText(fields::object::Text);
            objects.post();
            item->setText(0, stored);
            if (assessment) {
                item->setOwnCategory(overallCategory(readFactorMasks(objects)));
                refreshCategoriesUpwards(item);
            }
        } catch (...) {
            // The editing state stays on, so the user can try again or cancel.
            objects.cancel();
            throw;
        }
    }
    SetEditLock(false);
    LoadEditor();
}

void RecordEditor::storeAssessment()
{
    dbf::Table &objects = m_tree.document().objects();
    const EditorControls &c = m_controls;
    objects.setFieldText(fields::object::Text, c.KatNameEdit->text());
    // Every factor is written, disabled boxes included, so a stored bit survives unchanged.
    for (const Factor &f : factorCatalogue())
        objects.setFieldInt(f.fieldName, c.Grid->mask(f.number));
    objects.setFieldInt(fields::object::Pracov, c.PracSpinEdit->value());
    objects.setFieldInt(fields::object::Zen, c.ZenSpinEdit->value());
    objects.setFieldText(fields::object::Popis, editorToMemo(c.PopisMemo->toPlainText()));
    objects.setFieldText(fields::object::Mereni, editorToMemo(c.MereniMemo->toPlainText()));
    objects.setFieldText(fields::object::Opatreni, editorToMemo(c.OpatreniMemo->toPlainText()));
}

void RecordEditor::CancelBitBtnClick()
{
    SetEditLock(false);
    LoadEditor();
}

void RecordEditor::focusNodeName()
{
    m_controls.NodeNameEdit->setFocus(Qt::OtherFocusReason);
}

void RecordEditor::focusAssessmentName()
{
    m_controls.PageControl2->setCurrentWidget(m_controls.ItemKatTabSheet);
    m_controls.KatNameEdit->setFocus(Qt::OtherFocusReason);
}

} // namespace ergotab::tree
