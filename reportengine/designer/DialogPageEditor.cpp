#include "DialogPageEditor.h"

#include "DialogCanvas.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

namespace {

constexpr ControlKind controlKinds[] = {ControlKind::Label,    ControlKind::Edit,     ControlKind::Memo,
                                        ControlKind::CheckBox, ControlKind::ComboBox, ControlKind::RadioButton,
                                        ControlKind::DateEdit, ControlKind::ListBox,  ControlKind::Button};

QSize defaultSize(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Memo:
    case ControlKind::ListBox:
        return {160, 60};
    case ControlKind::Button:
        return {80, 26};
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return {140, 20};
    default:
        return {160, 22};
    }
}

QString namePrefix(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return QStringLiteral("Label");
    case ControlKind::Edit:
        return QStringLiteral("Edit");
    case ControlKind::Memo:
        return QStringLiteral("Memo");
    case ControlKind::CheckBox:
        return QStringLiteral("CheckBox");
    case ControlKind::ComboBox:
        return QStringLiteral("ComboBox");
    case ControlKind::RadioButton:
        return QStringLiteral("RadioButton");
    case ControlKind::DateEdit:
        return QStringLiteral("DateEdit");
    case ControlKind::ListBox:
        return QStringLiteral("ListBox");
    case ControlKind::Button:
        return QStringLiteral("Button");
    }
    return {};
}

QSpinBox *spin(const QString &name, int max)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, max);
    return box;
}

} // namespace

DialogPageEditor::DialogPageEditor(DesignerModel &model, const DesignerHost &host, int dialog, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_host(host)
    , m_dialog(dialog)
{
    setObjectName(QStringLiteral("DialogPageEditor"));
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    auto *tools = new QHBoxLayout;
    auto *insert = new QToolButton;
    insert->setText(QStringLiteral("Vložit prvek"));
    insert->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(insert);
    for (ControlKind kind : controlKinds)
        menu->addAction(controlKindCaption(kind), this, [this, kind] { insertControl(kind); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Tlačítka OK a Storno"), this, [this] {
        const QSize size = page().size;
        change(
            [this, size](DialogPage &p) {
                DialogControl ok;
                ok.kind = ControlKind::Button;
                ok.name = m_model.freeName(QStringLiteral("Button"));
                ok.text = QStringLiteral("OK");
                ok.modalResult = 1;
                ok.rect = QRect(QPoint(size.width() - 184, size.height() - 36), QSize(80, 26));
                DialogControl cancel = ok;
                cancel.name = ok.name + QStringLiteral("Storno");
                cancel.text = QStringLiteral("Storno");
                cancel.modalResult = 2;
                cancel.rect.translate(92, 0);
                p.controls.push_back(ok);
                p.controls.push_back(cancel);
            },
            QStringLiteral("Vložit tlačítka"));
    });
    insert->setMenu(menu);
    tools->addWidget(insert);
    auto *remove = new QPushButton(QStringLiteral("Odstranit prvek"));
    remove->setObjectName(QStringLiteral("DeleteControlButton"));
    connect(remove, &QPushButton::clicked, this, &DialogPageEditor::deleteControl);
    tools->addWidget(remove);
    auto *run = new QPushButton(QStringLiteral("Vyzkoušet dialog"));
    run->setObjectName(QStringLiteral("TestRunButton"));
    run->setEnabled(bool(m_host.showDialog));
    connect(run, &QPushButton::clicked, this, &DialogPageEditor::testRun);
    tools->addWidget(run);
    tools->addStretch();
    left->addLayout(tools);
    m_canvas = new DialogCanvas;
    auto *scroll = new QScrollArea;
    scroll->setWidget(m_canvas);
    scroll->setBackgroundRole(QPalette::Dark);
    left->addWidget(scroll, 1);
    layout->addLayout(left, 1);

    auto *side = new QVBoxLayout;
    auto *pageBox = new QGroupBox(QStringLiteral("Dialog"));
    auto *pageForm = new QFormLayout(pageBox);
    m_caption = new QLineEdit;
    m_caption->setObjectName(QStringLiteral("DialogCaptionEdit"));
    pageForm->addRow(QStringLiteral("Titulek:"), m_caption);
    m_pageWidth = spin(QStringLiteral("DialogWidthSpin"), 2000);
    m_pageHeight = spin(QStringLiteral("DialogHeightSpin"), 2000);
    pageForm->addRow(QStringLiteral("Šířka:"), m_pageWidth);
    pageForm->addRow(QStringLiteral("Výška:"), m_pageHeight);
    side->addWidget(pageBox);

    auto *controlBox = new QGroupBox(QStringLiteral("Prvek"));
    auto *form = new QFormLayout(controlBox);
    m_controlKind = new QLabel;
    form->addRow(m_controlKind);
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("ControlNameEdit"));
    m_name->setToolTip(QStringLiteral("Pod tímto názvem je hodnota prvku proměnnou sestavy."));
    form->addRow(QStringLiteral("Název:"), m_name);
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("ControlTextEdit"));
    form->addRow(QStringLiteral("Text:"), m_text);
    m_items = new QPlainTextEdit;
    m_items->setObjectName(QStringLiteral("ControlItemsEdit"));
    m_items->setFixedHeight(70);
    m_items->setToolTip(QStringLiteral("Položky seznamu, každá na řádku"));
    form->addRow(QStringLiteral("Položky:"), m_items);
    m_checked = new QCheckBox(QStringLiteral("Zaškrtnuto"));
    m_checked->setObjectName(QStringLiteral("ControlCheckedCheck"));
    form->addRow(m_checked);
    m_result = new QComboBox;
    m_result->setObjectName(QStringLiteral("ControlResultCombo"));
    m_result->addItems(
        {QStringLiteral("(žádný)"), QStringLiteral("OK – potvrdí dialog"), QStringLiteral("Storno – zruší sestavu")});
    form->addRow(QStringLiteral("Výsledek:"), m_result);
    const QString labels[] = {QStringLiteral("Vlevo:"), QStringLiteral("Nahoře:"), QStringLiteral("Šířka:"),
                              QStringLiteral("Výška:")};
    for (int i = 0; i < 4; ++i) {
        m_geometry[i] = spin(QStringLiteral("ControlGeometry%1").arg(i), 2000);
        form->addRow(labels[i], m_geometry[i]);
    }
    side->addWidget(controlBox);
    side->addStretch();
    layout->addLayout(side);

    connect(m_canvas, &DialogCanvas::selectedChanged, this, [this] { refresh(); });
    connect(m_canvas, &DialogCanvas::controlMoved, this, [this](int index, const QRect &rect) {
        change([index, rect](DialogPage &p) { p.controls.at(index).rect = rect; }, QStringLiteral("Přesunout prvek"));
    });
    connect(&m_model, &DesignerModel::changed, this, [this] {
        if (m_dialog < int(m_model.reportTemplate().dialogs.size()))
            refresh();
    });
    connect(m_caption, &QLineEdit::editingFinished, this, [this] {
        change([text = m_caption->text()](DialogPage &p) { p.caption = text; }, QStringLiteral("Titulek dialogu"));
    });
    auto pageSize = [this] {
        change([size = QSize(m_pageWidth->value(), m_pageHeight->value())](DialogPage &p) { p.size = size; },
               QStringLiteral("Velikost dialogu"));
    };
    connect(m_pageWidth, &QSpinBox::editingFinished, this, pageSize);
    connect(m_pageHeight, &QSpinBox::editingFinished, this, pageSize);
    auto control = [this](const std::function<void(DialogControl &)> &edit, const QString &text) {
        const int index = selectedControl();
        if (index >= 0)
            change([index, edit](DialogPage &p) { edit(p.controls.at(index)); }, text);
    };
    connect(m_name, &QLineEdit::editingFinished, this, [this, control] {
        const QString name = m_name->text().trimmed();
        const int index = selectedControl();
        if (index < 0 || name.isEmpty() || name == page().controls.at(index).name)
            return;
        if (!m_model.isNameFree(name))
            return refresh();
        control([name](DialogControl &c) { c.name = name; }, QStringLiteral("Název prvku"));
    });
    connect(m_text, &QLineEdit::editingFinished, this, [this, control] {
        control([text = m_text->text()](DialogControl &c) { c.text = text; }, QStringLiteral("Text prvku"));
    });
    connect(m_checked, &QCheckBox::clicked, this,
            [control](bool on) { control([on](DialogControl &c) { c.checked = on; }, QStringLiteral("Zaškrtnutí")); });
    connect(m_result, &QComboBox::activated, this, [control](int result) {
        control([result](DialogControl &c) { c.modalResult = result; }, QStringLiteral("Výsledek tlačítka"));
    });
    for (int i = 0; i < 4; ++i)
        connect(m_geometry[i], &QSpinBox::editingFinished, this, [this, control] {
            control([r = QRect(m_geometry[0]->value(), m_geometry[1]->value(), m_geometry[2]->value(),
                               m_geometry[3]->value())](DialogControl &c) { c.rect = r; },
                    QStringLiteral("Umístění prvku"));
        });
    connect(m_items, &QPlainTextEdit::textChanged, this, [this, control] {
        if (m_refreshing)
            return;
        QStringList items = m_items->toPlainText().split(u'\n');
        while (!items.isEmpty() && items.back().isEmpty())
            items.removeLast();
        control([items](DialogControl &c) { c.items = items; }, QStringLiteral("Položky prvku"));
    });
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    refresh();
}

const DialogPage &DialogPageEditor::page() const
{
    return m_model.reportTemplate().dialogs.at(m_dialog);
}

int DialogPageEditor::selectedControl() const
{
    return m_canvas->selected();
}

void DialogPageEditor::selectControl(int index)
{
    m_canvas->setSelected(index);
}

void DialogPageEditor::change(const std::function<void(DialogPage &)> &edit, const QString &text)
{
    if (m_refreshing)
        return;
    DialogPage changed = page();
    edit(changed);
    m_model.setDialogPage(m_dialog, std::move(changed), text);
}

void DialogPageEditor::insertControl(ControlKind kind)
{
    DialogControl control;
    control.kind = kind;
    control.name = m_model.freeName(namePrefix(kind));
    if (kind == ControlKind::Label || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton ||
        kind == ControlKind::Button)
        control.text = controlKindCaption(kind);
    // Below the lowest control, at the left edge.
    int y = 8;
    for (const DialogControl &c : page().controls)
        y = std::max(y, c.rect.bottom() + 8);
    control.rect = QRect(QPoint(8, y), defaultSize(kind));
    const int index = int(page().controls.size());
    change([&control](DialogPage &p) { p.controls.push_back(control); }, QStringLiteral("Vložit prvek"));
    selectControl(index);
}

void DialogPageEditor::deleteControl()
{
    const int index = selectedControl();
    if (index < 0)
        return;
    change([index](DialogPage &p) { p.controls.erase(p.controls.begin() + index); }, QStringLiteral("Odstranit prvek"));
    selectControl(-1);
}

void DialogPageEditor::testRun()
{
    if (!m_host.showDialog)
        return;
    QVariantMap values;
    m_host.showDialog(this, page(), values);
}

void DialogPageEditor::refresh()
{
    m_refreshing = true;
    const DialogPage &p = page();
    m_canvas->setPage(p);
    m_caption->setText(p.caption);
    m_pageWidth->setValue(p.size.width());
    m_pageHeight->setValue(p.size.height());
    const int index = m_canvas->selected();
    const bool any = index >= 0 && index < int(p.controls.size());
    for (QWidget *w : std::initializer_list<QWidget *> {m_name, m_text, m_items, m_checked, m_result})
        w->setEnabled(any);
    for (QSpinBox *s : m_geometry)
        s->setEnabled(any);
    if (any) {
        const DialogControl &c = p.controls[index];
        m_controlKind->setText(controlKindCaption(c.kind));
        m_name->setText(c.name);
        m_text->setText(c.text);
        if (m_items->toPlainText().trimmed() != c.items.join(u'\n'))
            m_items->setPlainText(c.items.join(u'\n'));
        m_items->setEnabled(c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListBox);
        m_checked->setChecked(c.checked);
        m_checked->setEnabled(c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton);
        m_result->setCurrentIndex(std::clamp(c.modalResult, 0, 2));
        m_result->setEnabled(c.kind == ControlKind::Button);
        const int values[] = {c.rect.left(), c.rect.top(), c.rect.width(), c.rect.height()};
        for (int i = 0; i < 4; ++i)
            m_geometry[i]->setValue(values[i]);
    } else {
        m_controlKind->setText(QStringLiteral("Žádný prvek není vybrán"));
        m_name->clear();
        m_text->clear();
        m_items->clear();
    }
    m_refreshing = false;
}

} // namespace ergotab::report::designer
