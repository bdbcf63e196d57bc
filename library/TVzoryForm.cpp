#include "TVzoryForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace ergotab::library {

namespace {

QString toMemo(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString fromMemo(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

QStringList TVzoryForm::factorCaptions()
{
    return {QStringLiteral(" 1 - Zátěž prachem"),
            QStringLiteral(" 2 - Zátěž chemickými látkami"),
            QStringLiteral(" 3 - Zátěž hlukem"),
            QStringLiteral(" 4 - Zátěž vibracemi"),
            QStringLiteral(" 5 - Zátěž neionizujícím zářením a elmag. polem"),
            QStringLiteral(" 6 - Celková fyzická zátěž"),
            QStringLiteral(" 7 - Zátěž prací v nevhodných polohách"),
            QStringLiteral(" 8 - Zátěž teplem"),
            QStringLiteral(" 9 - Zátěž chladem"),
            QStringLiteral("10 - Psychická zátěž"),
            QStringLiteral("11 - Zraková zátěž"),
            QStringLiteral("12 - Zátěž biologickými činiteli"),
            QStringLiteral("13 - Práce ve zvýšeném tlaku vzduchu")};
}

TVzoryForm::TVzoryForm(dbf::Table &templates, Confirm confirm, QWidget *parent)
    : QDialog(parent)
    , m_templates(templates)
    , m_confirm(std::move(confirm))
{
    setObjectName(QStringLiteral("VzoryForm"));
    installHelpKey(this, HelpTopic::MeasureTemplates);
    setWindowTitle(QStringLiteral("Vzory opatření"));

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(factorCaptions());
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    // Completion is ours (first item that begins with the text typed), not Qt's.
    ComboBox2->setCompleter(nullptr);
    ComboBox2->lineEdit()->installEventFilter(this);
    DeleteBitBtn = new QPushButton(QStringLiteral("Smazat"), this);
    DeleteBitBtn->setObjectName(QStringLiteral("DeleteBitBtn"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn1 = new QPushButton(QStringLiteral("Uložit"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Zrušit"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Faktor:"), this), 0, 0);
    grid->addWidget(ComboBox1, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Specifikace:"), this), 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(DeleteBitBtn, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Opatření:"), this), 2, 0, 1, 3);
    grid->addWidget(Memo1, 3, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    setFixedSize(560, 420);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TVzoryForm::ComboBox1Change);
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, &TVzoryForm::ComboBox2Change);
    // Choosing from the list is a change of the text as well.
    connect(ComboBox2, &QComboBox::activated, this, [this] { showTemplate(); });
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TVzoryForm::Memo1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TVzoryForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TVzoryForm::BitBtn2Click);
    connect(DeleteBitBtn, &QPushButton::clicked, this, &TVzoryForm::DeleteBitBtnClick);
    setEditing(false);
}

int TVzoryForm::currentFactor() const
{
    return ComboBox1->currentIndex() + 1;
}

QString TVzoryForm::specification() const
{
    return ComboBox2->currentText();
}

void TVzoryForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TVzoryForm::FormShow()
{
    ComboBox2->setEditText(QString());
    setEditing(false);
    ComboBox1->setCurrentIndex(0);
    ComboBox1Change();
}

void TVzoryForm::setEditing(bool editing)
{
    m_editing = editing;
    for (QWidget *w :
         {static_cast<QWidget *>(ComboBox1), static_cast<QWidget *>(ComboBox2), static_cast<QWidget *>(DeleteBitBtn)})
        w->setEnabled(!editing);
    BitBtn1->setEnabled(editing);
    BitBtn2->setEnabled(editing);
}

void TVzoryForm::ComboBox1Change()
{
    const QString typed = specification();
    {
        const QSignalBlocker blocker(ComboBox2);
        ComboBox2->clear();
        ComboBox2->addItems(m_templates.completionList(currentFactor()));
        ComboBox2->setCurrentIndex(-1);
        ComboBox2->setEditText(typed);
    }
    showTemplate();
}

void TVzoryForm::showTemplate()
{
    const std::optional<QString> text = m_templates.find(currentFactor(), specification());
    m_loadingMemo = true;
    Memo1->setPlainText(text ? fromMemo(*text) : QString());
    m_loadingMemo = false;
}

void TVzoryForm::ComboBox2Change(const QString &typed)
{
    QStringList items;
    for (int i = 0; i < ComboBox2->count(); ++i)
        items.append(ComboBox2->itemText(i));
    const QString item = completeSpecification(items, typed);
    if (!item.isEmpty()) {
        QLineEdit *edit = ComboBox2->lineEdit();
        const int caret = edit->cursorPosition();
        const QSignalBlocker blocker(edit);
        edit->setText(item);
        // The caret stays after what was typed; the proposed rest is selected.
        edit->setSelection(item.size(), caret - static_cast<int>(item.size()));
    }
    showTemplate();
}

bool TVzoryForm::eventFilter(QObject *watched, QEvent *event)
{
    // Backspace takes the proposed rest together with the last character typed.
    if (watched == ComboBox2->lineEdit() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backspace) {
        QLineEdit *edit = ComboBox2->lineEdit();
        const int start = edit->selectionStart();
        if (edit->hasSelectedText() && start > 0)
            edit->setSelection(start + static_cast<int>(edit->selectedText().size()),
                               -(static_cast<int>(edit->selectedText().size()) + 1));
    }
    return QDialog::eventFilter(watched, event);
}

void TVzoryForm::Memo1Change()
{
    if (!m_loadingMemo && !m_editing)
        setEditing(true);
}

void TVzoryForm::BitBtn1Click()
{
    m_templates.save(currentFactor(), specification(), toMemo(Memo1->toPlainText()));
    ComboBox1Change();
    setEditing(false);
}

void TVzoryForm::BitBtn2Click()
{
    setEditing(false);
    showTemplate();
}

void TVzoryForm::DeleteBitBtnClick()
{
    if (!m_confirm || !m_confirm(QStringLiteral("Potvrzení"), QStringLiteral("Opravdu smazat?")))
        return;
    m_templates.remove(currentFactor(), specification());
    ComboBox1Change();
}

void TVzoryForm::keyPressEvent(QKeyEvent *event)
{
    // Escape answers "Zrušit"; the window itself closes only by its title bar.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (BitBtn2->isEnabled())
            BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ergotab::library
