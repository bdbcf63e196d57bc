#include "TWorkersForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include "DateField.h"
#include "MaskedField.h"
#include "storage/document/Document.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolButton>

namespace ergotab::workers {

TWorkersForm::TWorkersForm(Document &document, WorkerPrompts prompts, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_register(document)
    , m_prompts(std::move(prompts))
{
    m_ui.setupUi(this);
    installHelpKey(this, HelpTopic::WorkerRegister);
    setModal(true);
    connectFields();
    // The selection, not the current row: the list may make a row current on getting the
    // focus without selecting it, and selecting that row later changes no current row.
    connect(m_ui.ListBox1, &QListWidget::itemSelectionChanged, this, &TWorkersForm::ListBox1Click);
    connect(m_ui.BitBtn1, &QPushButton::clicked, this, &TWorkersForm::BitBtn1Click);
    connect(m_ui.BitBtn2, &QPushButton::clicked, this, &TWorkersForm::BitBtn2Click);
    connect(m_ui.SpeedButton1, &QToolButton::clicked, this, &TWorkersForm::SpeedButton1Click);
    connect(m_ui.SpeedButton2, &QToolButton::clicked, this, &TWorkersForm::SpeedButton2Click);
    connect(m_ui.BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    for (MaskedField *masked : {m_ui.MaskEdit1, m_ui.MaskEdit2})
        masked->setNotice([this](const QString &text) {
            if (m_prompts.notice)
                m_prompts.notice(text);
        });
    showSelectedWorker();
}

TWorkersForm::~TWorkersForm() = default;

void TWorkersForm::connectFields()
{
    for (QLineEdit *edit :
         {m_ui.Edit1, m_ui.Edit2, m_ui.Edit3, m_ui.Edit4, m_ui.Edit5, m_ui.Edit6,
          static_cast<QLineEdit *>(m_ui.MaskEdit1), static_cast<QLineEdit *>(m_ui.MaskEdit2), m_ui.MaskEdit3})
        connect(edit, &QLineEdit::textChanged, this, &TWorkersForm::Edit3Change);
    for (DateField *date : {m_ui.DateEdit1, m_ui.DateEdit2})
        connect(date, &DateField::textChanged, this, &TWorkersForm::Edit3Change);
    for (QComboBox *list : {m_ui.ComboBox1, m_ui.ComboBox2})
        connect(list, &QComboBox::currentIndexChanged, this, &TWorkersForm::Edit3Change);
}

bool TWorkersForm::isEditing() const
{
    return m_ui.BitBtn1->isEnabled();
}

int TWorkersForm::rowIndex(int row) const
{
    const QListWidgetItem *item = m_ui.ListBox1->item(row);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

QListWidgetItem *TWorkersForm::selectedRow() const
{
    QListWidgetItem *item = m_ui.ListBox1->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

void TWorkersForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TWorkersForm::FormShow()
{
    fillList();
    showSelectedWorker();
}

void TWorkersForm::fillList()
{
    const QList<WorkerRow> rows = m_register.rows(m_document.progressSink());
    const QSignalBlocker quiet(m_ui.ListBox1);
    m_ui.ListBox1->clear();
    for (const WorkerRow &row : rows) {
        auto *item = new QListWidgetItem(row.text, m_ui.ListBox1);
        item->setData(Qt::UserRole, row.index);
    }
    m_ui.ListBox1->setCurrentRow(-1);
}

void TWorkersForm::ListBox1Click()
{
    showSelectedWorker();
}

void TWorkersForm::showSelectedWorker()
{
    std::optional<WorkerRecord> worker;
    if (const QListWidgetItem *item = selectedRow())
        worker = m_register.find(item->data(Qt::UserRole).toInt());
    {
        const QScopedValueRollback filling(m_filling, true);
        putFields(worker.value_or(WorkerRecord {}));
        for (QWidget *field : m_ui.fields())
            field->setEnabled(worker.has_value());
    }
    setEditing(false);
}

void TWorkersForm::putFields(const WorkerRecord &w)
{
    m_ui.Edit3->setText(w.persNum);
    m_ui.Edit6->setText(w.profese);
    m_ui.Edit1->setText(w.lName);
    m_ui.Edit2->setText(w.fName);
    m_ui.DateEdit1->setText(w.birthDate);
    m_ui.MaskEdit1->setStoredText(w.birthNum);
    m_ui.Edit4->setText(w.address);
    m_ui.MaskEdit2->setStoredText(w.zip);
    m_ui.Edit5->setText(w.city);
    m_ui.MaskEdit3->setText(w.riskLen);
    m_ui.ComboBox1->setCurrentIndex(w.lenType >= 0 && w.lenType < m_ui.ComboBox1->count() ? w.lenType : -1);
    m_ui.DateEdit2->setText(w.reviDate);
    m_ui.ComboBox2->setCurrentIndex(w.result >= 0 && w.result < m_ui.ComboBox2->count() ? w.result : -1);
}

WorkerRecord TWorkersForm::takeFields() const
{
    WorkerRecord w;
    w.persNum = m_ui.Edit3->text();
    w.profese = m_ui.Edit6->text();
    w.lName = m_ui.Edit1->text();
    w.fName = m_ui.Edit2->text();
    w.birthDate = m_ui.DateEdit1->text();
    w.birthNum = m_ui.MaskEdit1->storedText();
    w.address = m_ui.Edit4->text();
    w.zip = m_ui.MaskEdit2->storedText();
    w.city = m_ui.Edit5->text();
    w.riskLen = m_ui.MaskEdit3->text();
    w.lenType = m_ui.ComboBox1->currentIndex();
    w.reviDate = m_ui.DateEdit2->text();
    w.result = m_ui.ComboBox2->currentIndex();
    return w;
}

void TWorkersForm::Edit3Change()
{
    if (!m_filling)
        setEditing(true);
}

void TWorkersForm::setEditing(bool on)
{
    m_ui.BitBtn1->setEnabled(on);
    m_ui.BitBtn2->setEnabled(on);
    m_ui.BitBtn3->setEnabled(!on);
    m_ui.ListBox1->setEnabled(!on);
}

void TWorkersForm::BitBtn1Click()
{
    QListWidgetItem *item = selectedRow();
    if (item) {
        // A failure leaves the fields as typed and the window editing.
        if (const std::optional<WorkerRecord> stored = m_register.store(item->data(Qt::UserRole).toInt(), takeFields()))
            item->setText(stored->listText());
    }
    showSelectedWorker();
}

void TWorkersForm::BitBtn2Click()
{
    setEditing(false);
    showSelectedWorker();
}

void TWorkersForm::SpeedButton1Click()
{
    const int index = m_register.add();
    auto *item = new QListWidgetItem(QString(), m_ui.ListBox1);
    item->setData(Qt::UserRole, index);
    {
        const QSignalBlocker quiet(m_ui.ListBox1);
        m_ui.ListBox1->setCurrentItem(item);
    }
    showSelectedWorker();
    m_ui.Edit3->setFocus(Qt::OtherFocusReason);
}

void TWorkersForm::SpeedButton2Click()
{
    QListWidgetItem *item = selectedRow();
    if (!item) // nothing to delete
        return;
    if (!m_prompts.question || !m_prompts.question(QStringLiteral("Vymazat"), QStringLiteral("Opravdu vymazat?")))
        return;
    const int index = item->data(Qt::UserRole).toInt();
    try {
        if (m_register.remove(index)) {
            const QSignalBlocker quiet(m_ui.ListBox1);
            delete item;
        }
    } catch (...) {
        // Some rows may be gone: the list is read again from what is left.
        fillList();
        showSelectedWorker();
        throw;
    }
    {
        const QSignalBlocker quiet(m_ui.ListBox1);
        m_ui.ListBox1->setCurrentRow(-1);
    }
    showSelectedWorker();
}

bool TWorkersForm::FormCloseQuery() const
{
    return m_ui.BitBtn3->isEnabled();
}

void TWorkersForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TWorkersForm::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

void TWorkersForm::keyPressEvent(QKeyEvent *event)
{
    // Escape is "Storno" while it is enabled, and nothing otherwise: it never closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_ui.BitBtn2->isEnabled())
            m_ui.BitBtn2->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ergotab::workers
