#include "PropertyPanel.h"

#include "DesignSurface.h"
#include "PanelWidgets.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QBuffer>
#include <QColorDialog>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

using namespace panel;

QString *PropertyPanel::contentText(ReportObject &object)
{
    if (auto *t = std::get_if<TextObject>(&object.content))
        return &t->text;
    if (auto *c = std::get_if<CheckBoxObject>(&object.content))
        return &c->expression;
    if (auto *b = std::get_if<BarcodeObject>(&object.content))
        return &b->expression;
    if (auto *r = std::get_if<RichTextObject>(&object.content))
        return &r->html;
    if (auto *p = std::get_if<PictureObject>(&object.content))
        return &p->source;
    if (auto *s = std::get_if<SubreportObject>(&object.content))
        return &s->page;
    return nullptr;
}

PropertyPanel::PropertyPanel(DesignerModel &model, DesignSurface &surface, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_surface(surface)
    , m_chooseColor([](QWidget *parent, const QColor &start, const QString &title) {
        return QColorDialog::getColor(start, parent, title);
    })
{
    setObjectName(QStringLiteral("PropertyPanel"));
    m_bindings = new PanelBindings([this](const QString &what, const PanelBindings::Edit &edit) { apply(what, edit); },
                                   [this](QWidget *parent, const QColor &start, const QString &title) {
                                       return m_chooseColor(parent, start, title);
                                   },
                                   this);
    QVBoxLayout *column = build();
    connect(&m_surface, &DesignSurface::selectionChanged, this, &PropertyPanel::refresh);
    connect(&m_model, &DesignerModel::changed, this, &PropertyPanel::refresh);
    refresh();

    // As wide as the widest group needs with every group shown, so no caption is cut off.
    const QSize before = size();
    for (auto &[group, shownFor] : m_kindGroups)
        group->setVisible(true);
    column->activate();
    auto *scroll = findChild<QScrollArea *>();
    setMinimumWidth(scroll->widget()->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() +
                    2 * scroll->frameWidth() + 4);
    resize(before);
    refresh();
}

void PropertyPanel::setColorChooser(PanelBindings::ChooseColor choose)
{
    m_chooseColor = std::move(choose);
}

void PropertyPanel::setExpressionEditor(EditExpression edit)
{
    m_editExpression = std::move(edit);
    for (QWidget *button : m_editorButtons)
        button->setVisible(bool(m_editExpression));
}

QWidget *PropertyPanel::withEditorButton(QLineEdit *edit, const char *buttonName)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(buttonName));
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("Upravit výraz v editoru výrazů"));
    button->setVisible(false);
    layout->addWidget(button);
    m_editorButtons.push_back(button);
    connect(button, &QToolButton::clicked, this, [this, edit] {
        if (!m_editExpression)
            return;
        if (const auto expression = m_editExpression(edit->text())) {
            edit->setText(*expression);
            emit edit->editingFinished();
        }
    });
    return row;
}

QFormLayout *PropertyPanel::addGroup(QVBoxLayout *column, const QString &title, const char *name,
                                     std::function<bool(const ReportObject &)> shownFor)
{
    auto *box = new QGroupBox(title);
    box->setObjectName(QLatin1String(name));
    auto *form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    column->addWidget(box);
    if (shownFor)
        m_kindGroups.emplace_back(box, std::move(shownFor));
    return form;
}

QVBoxLayout *PropertyPanel::build()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *content = new QWidget;
    scroll->setWidget(content);
    auto *column = new QVBoxLayout(content);

    m_kind = new QLabel;
    m_kind->setObjectName(QStringLiteral("KindLabel"));
    QFont bold = m_kind->font();
    bold.setBold(true);
    m_kind->setFont(bold);
    column->addWidget(m_kind);

    buildPlace(column);
    buildContent(column);
    buildText(column);
    buildHighlight(column);
    buildKinds(column);
    buildFrame(column);

    m_scriptLabel = new QLabel(QStringLiteral("Skript (ze starší šablony, nespouští se):"));
    m_scriptLabel->setWordWrap(true);
    m_script = new QPlainTextEdit;
    m_script->setObjectName(QStringLiteral("ScriptView"));
    m_script->setReadOnly(true);
    m_script->setFixedHeight(70);
    column->addWidget(m_scriptLabel);
    column->addWidget(m_script);
    column->addStretch();
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    return column;
}

void PropertyPanel::buildPlace(QVBoxLayout *column)
{
    QFormLayout *place = addGroup(column, QStringLiteral("Umístění (mm)"), "PlaceGroup");
    m_name = lineEdit("NameEdit");
    place->addRow(QStringLiteral("Název:"), m_name);
    const QString captions[] = {QStringLiteral("Vlevo:"), QStringLiteral("Nahoře:"), QStringLiteral("Šířka:"),
                                QStringLiteral("Výška:")};
    const char *names[] = {"LeftEdit", "TopEdit", "WidthEdit", "HeightEdit"};
    for (int i = 0; i < 4; ++i) {
        m_geometry[i] = lineEdit(names[i]);
        place->addRow(captions[i], m_geometry[i]);
        // Edits take effect when finished (Enter or leaving the field), each as one step.
        connect(m_geometry[i], &QLineEdit::editingFinished, this, [this, i] { applyGeometry(m_geometry[i]); });
    }
    connect(m_name, &QLineEdit::editingFinished, this, &PropertyPanel::applyName);

    QCheckBox *visible = checkBox(QStringLiteral("Viditelný"), "VisibleCheck");
    place->addRow(visible);
    m_bindings->check(visible, QStringLiteral("Viditelnost"), [](ReportObject &o) { return &o.visible; });
    QLineEdit *printIf = lineEdit("PrintIfEdit", QStringLiteral("Objekt se tiskne, jen když výraz platí"));
    place->addRow(QStringLiteral("Tisknout, když:"), withEditorButton(printIf, "PrintIfButton"));
    m_bindings->expression(printIf, QStringLiteral("Podmínka tisku"), [](ReportObject &o) { return &o.printIf; });
    QLineEdit *tag = lineEdit("TagEdit", QStringLiteral("Poznámka k objektu, netiskne se"));
    place->addRow(QStringLiteral("Značka:"), tag);
    m_bindings->text(tag, QStringLiteral("Značka"), [](ReportObject &o) { return &o.tag; });
}

void PropertyPanel::buildContent(QVBoxLayout *column)
{
    QFormLayout *content = addGroup(column, QStringLiteral("Obsah"), "ContentGroup");
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("TextEdit"));
    m_text->setFixedHeight(70);
    m_text->installEventFilter(this);
    m_textButton = new QPushButton(QStringLiteral("Výraz…"));
    m_textButton->setObjectName(QStringLiteral("ExpressionButton"));
    content->addRow(m_text);
    content->addRow(m_textButton);
    m_pictureButton = new QPushButton(QStringLiteral("Obrázek ze souboru…"));
    m_pictureButton->setObjectName(QStringLiteral("PictureButton"));
    content->addRow(m_pictureButton);
    connect(m_textButton, &QPushButton::clicked, this, &PropertyPanel::editTextRequested);
    connect(m_pictureButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Obrázek"), QString(),
                                                          QStringLiteral("Obrázky (*.png *.jpg *.jpeg *.bmp)"));
        if (!path.isEmpty())
            loadPicture(path);
    });
}

std::vector<ReportObject> PropertyPanel::selected() const
{
    std::vector<ReportObject> objects;
    for (const ObjectRef &ref : m_surface.selection())
        if (m_model.isValid(ref))
            objects.push_back(m_model.object(ref));
    return objects;
}

void PropertyPanel::apply(const QString &what, const std::function<void(ReportObject &)> &edit)
{
    if (m_refreshing || m_surface.selection().empty())
        return;
    m_model.editObjects(m_surface.selection(), edit, what);
}

void PropertyPanel::applyName()
{
    const QString name = m_name->text().trimmed();
    if (m_surface.selection().size() != 1 || name.isEmpty() || m_refreshing)
        return;
    const QString current = m_model.object(m_surface.selection().front()).name;
    if (name.compare(current, Qt::CaseInsensitive) != 0 && !m_model.isNameFree(name)) {
        m_name->setText(current);
        return;
    }
    apply(QStringLiteral("Název"), [name](ReportObject &o) { o.name = name; });
}

void PropertyPanel::applyGeometry(QLineEdit *edit)
{
    if (m_refreshing || !fieldChanged(edit))
        return;
    const auto value = parseNumber(edit->text());
    const int which = int(std::find(std::begin(m_geometry), std::end(m_geometry), edit) - std::begin(m_geometry));
    if (!value || (which >= 2 && *value < 0))
        return refresh();
    apply(QStringLiteral("Umístění"), [which, v = *value](ReportObject &o) {
        if (which == 0)
            o.rect.moveLeft(v);
        else if (which == 1)
            o.rect.moveTop(v);
        else if (which == 2)
            o.rect.setWidth(v);
        else
            o.rect.setHeight(v);
    });
}

bool PropertyPanel::loadPicture(const QString &path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QBuffer buffer;
    buffer.setData(bytes);
    const QByteArray format = QImageReader(&buffer).format().toUpper();
    const QByteArray kept = format == "JPG" ? QByteArray("JPEG") : format;
    if (kept != "PNG" && kept != "JPEG" && kept != "BMP")
        return false;
    apply(QStringLiteral("Obrázek"), [&bytes, &kept](ReportObject &o) {
        if (auto *picture = std::get_if<PictureObject>(&o.content)) {
            picture->data = bytes;
            picture->format = kept;
        }
    });
    return true;
}

void PropertyPanel::applyText()
{
    if (m_refreshing || m_text->isReadOnly())
        return;
    const QString value = m_text->toPlainText();
    apply(QStringLiteral("Text"), [value](ReportObject &o) {
        if (QString *text = contentText(o))
            *text = value;
    });
}

bool PropertyPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::FocusOut && m_text->document()->isModified())
        applyText();
    return QWidget::eventFilter(watched, event);
}

void PropertyPanel::refresh()
{
    m_refreshing = true;
    std::vector<ReportObject> objects = selected();
    const bool any = !objects.empty();
    auto all = [&objects, any](const std::function<bool(const ReportObject &)> &test) {
        return any && std::all_of(objects.begin(), objects.end(), test);
    };
    setEnabled(any);
    if (!any)
        m_kind->setText(QStringLiteral("Nic není vybráno"));
    else if (objects.size() == 1)
        m_kind->setText(objectKindCaption(objectKindOf(objects.front())) + QStringLiteral(" ") + objects.front().name);
    else
        m_kind->setText(QStringLiteral("Vybráno objektů: %1").arg(objects.size()));

    m_name->setEnabled(objects.size() == 1);
    m_name->setText(objects.size() == 1 ? objects.front().name : QString());
    auto rectValue = [](int which, const QRectF &r) {
        return which == 0 ? r.left() : which == 1 ? r.top() : which == 2 ? r.width() : r.height();
    };
    for (int i = 0; i < 4; ++i) {
        std::optional<double> value;
        bool same = any;
        for (const ReportObject &o : objects) {
            same = same && (!value || *value == rectValue(i, o.rect));
            value = rectValue(i, o.rect);
        }
        showFieldText(m_geometry[i], same ? numberText(*value) : QString());
    }

    // Rich text is edited in its own editor; the field shows its words only.
    const bool rich = all(isKind<RichTextObject>);
    const bool hasContent = all([](ReportObject o) { return contentText(o) != nullptr; });
    std::optional<QString> text;
    bool sameText = hasContent;
    for (ReportObject &o : objects) {
        const QString *t = contentText(o);
        sameText = sameText && t && (!text || *text == *t);
        text = t ? std::optional(*t) : std::nullopt;
    }
    const QString shown = !sameText ? QString() : rich ? QTextDocumentFragment::fromHtml(*text).toPlainText() : *text;
    m_text->setPlainText(shown);
    m_text->document()->setModified(false);
    m_text->setReadOnly(!hasContent || rich);
    m_textButton->setEnabled(hasContent);
    m_textButton->setText(rich ? QStringLiteral("Upravit formátovaný text…") : QStringLiteral("Výraz…"));
    m_pictureButton->setVisible(all(isKind<PictureObject>));

    for (auto &[group, shownFor] : m_kindGroups)
        group->setVisible(all(shownFor));
    m_bindings->refresh(objects);
    m_subreportPage->clear();
    for (const ReportPage &page : m_model.reportTemplate().pages)
        m_subreportPage->addItem(page.name);
    m_subreportPage->setCurrentIndex(all(isKind<SubreportObject>) && sameText ? m_subreportPage->findText(*text) : -1);

    const auto script = objects.size() == 1 ? objects.front().script : QString();
    m_script->setPlainText(script);
    m_script->setVisible(!script.isEmpty());
    m_scriptLabel->setVisible(!script.isEmpty());
    m_refreshing = false;
}

} // namespace ergotab::report::designer
