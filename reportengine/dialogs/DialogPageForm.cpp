#include "DialogPageForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ergotab::report {

namespace {

constexpr int ownButtonsHeight = 44;

QFont fontFor(const FontSpec &spec, const QFont &fallback)
{
    QFont font = fallback;
    if (!spec.family.isEmpty())
        font.setFamily(spec.family);
    if (spec.sizePt > 0)
        font.setPointSizeF(spec.sizePt);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    return font;
}

QDate dateOf(const QVariant &value, const QString &text)
{
    QDate date = value.toDate();
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? date : QDate::currentDate();
}

} // namespace

DialogPageForm::DialogPageForm(const DialogPage &page, const QVariantMap &values, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TDialogPageForm"));
    setWindowTitle(page.caption.isEmpty() ? page.name : page.caption);
    bool accepts = false;
    for (const DialogControl &control : page.controls) {
        QWidget *widget = build(control, values.value(control.name));
        widget->setObjectName(control.name);
        widget->setGeometry(control.rect);
        if (control.font != FontSpec())
            widget->setFont(fontFor(control.font, font()));
        m_controls.push_back({control.kind, control.name, widget});
        accepts = accepts || (control.kind == ControlKind::Button && control.modalResult == 1);
    }
    QSize size = page.size.expandedTo(QSize(120, 60));
    for (const Built &built : m_controls)
        size = size.expandedTo(QSize(built.widget->geometry().right() + 8, built.widget->geometry().bottom() + 8));
    if (!accepts) {
        addOwnButtons();
        size.rheight() += ownButtonsHeight;
    }
    setFixedSize(size);
}

QWidget *DialogPageForm::build(const DialogControl &control, const QVariant &value)
{
    switch (control.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(control.text, this);
        label->setWordWrap(control.rect.height() > 2 * label->fontMetrics().height());
        return label;
    }
    case ControlKind::Edit: {
        auto *edit = new QLineEdit(value.isValid() ? value.toString() : control.text, this);
        edit->setReadOnly(control.readOnly);
        return edit;
    }
    case ControlKind::Memo: {
        auto *memo = new QPlainTextEdit(value.isValid() ? value.toString() : control.text, this);
        memo->setReadOnly(control.readOnly);
        return memo;
    }
    case ControlKind::CheckBox: {
        auto *box = new QCheckBox(control.text, this);
        box->setChecked(value.isValid() ? value.toBool() : control.checked);
        return box;
    }
    case ControlKind::RadioButton: {
        // Radio buttons of one page exclude each other, as they share the page as parent.
        auto *button = new QRadioButton(control.text, this);
        button->setChecked(value.isValid() ? value.toBool() : control.checked);
        return button;
    }
    case ControlKind::ComboBox: {
        auto *combo = new QComboBox(this);
        combo->setEditable(!control.readOnly);
        combo->addItems(control.items);
        const QString text = value.isValid() ? value.toString() : control.text;
        const int at = combo->findText(text);
        if (at >= 0)
            combo->setCurrentIndex(at);
        else if (combo->isEditable())
            combo->setEditText(text);
        return combo;
    }
    case ControlKind::ListBox: {
        auto *list = new QListWidget(this);
        list->addItems(control.items);
        const QString text = value.isValid() ? value.toString() : control.text;
        const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
        if (!found.isEmpty())
            list->setCurrentItem(found.first());
        return list;
    }
    case ControlKind::DateEdit: {
        auto *edit = new QDateEdit(dateOf(value, control.text), this);
        edit->setDisplayFormat(QStringLiteral("d.M.yyyy"));
        edit->setCalendarPopup(true);
        return edit;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(control.text, this);
        if (control.modalResult == 1) {
            button->setDefault(true);
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        } else if (control.modalResult == 2)
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        return button;
    }
    }
    return new QWidget(this);
}

void DialogPageForm::addOwnButtons()
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("DialogPageButtons"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Zrušit"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Placed once the page's size is known.
    QMetaObject::invokeMethod(
        this,
        [this, buttons] {
            const QSize hint = buttons->sizeHint();
            buttons->setGeometry(width() - hint.width() - 10, height() - ownButtonsHeight + 8, hint.width(),
                                 hint.height());
        },
        Qt::QueuedConnection);
}

QVariantMap DialogPageForm::values() const
{
    QVariantMap values;
    for (const Built &built : m_controls) {
        switch (built.kind) {
        case ControlKind::Edit:
            values.insert(built.name, static_cast<QLineEdit *>(built.widget)->text());
            break;
        case ControlKind::Memo:
            values.insert(built.name, static_cast<QPlainTextEdit *>(built.widget)->toPlainText());
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            values.insert(built.name, static_cast<QAbstractButton *>(built.widget)->isChecked());
            break;
        case ControlKind::ComboBox:
            values.insert(built.name, static_cast<QComboBox *>(built.widget)->currentText());
            break;
        case ControlKind::ListBox: {
            const QListWidgetItem *item = static_cast<QListWidget *>(built.widget)->currentItem();
            values.insert(built.name, item ? item->text() : QString());
            break;
        }
        case ControlKind::DateEdit:
            values.insert(built.name, static_cast<QDateEdit *>(built.widget)->date());
            break;
        case ControlKind::Label:
        case ControlKind::Button:
            break;
        }
    }
    return values;
}

QWidget *DialogPageForm::control(const QString &name) const
{
    for (const Built &built : m_controls)
        if (built.name == name)
            return built.widget;
    return nullptr;
}

} // namespace ergotab::report
