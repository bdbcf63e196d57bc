#include "PropertyPanel.h"

#include "DesignSurface.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <QBuffer>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <optional>

namespace ergotab::report::designer {

namespace {

QString mmText(double value)
{
    return QString::number(value, 'g', 6).replace(u'.', u',');
}

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The value all objects share, or nothing when they differ (or there are none).
template <typename T, typename Get> std::optional<T> common(const std::vector<ReportObject> &objects, Get get)
{
    std::optional<T> value;
    for (const ReportObject &o : objects) {
        const std::optional<T> v = get(o);
        if (!v || (value && *value != *v))
            return std::nullopt;
        value = v;
    }
    return value;
}

const TextObject *textOf(const ReportObject &o)
{
    return std::get_if<TextObject>(&o.content);
}

void showCheck(QCheckBox *box, std::optional<bool> value)
{
    box->setTristate(!value);
    box->setCheckState(!value ? Qt::PartiallyChecked : *value ? Qt::Checked : Qt::Unchecked);
}

void showColor(QPushButton *button, std::optional<QColor> color)
{
    button->setText(color ? (color->alpha() == 0 ? QStringLiteral("žádná") : color->name()) : QString());
    button->setStyleSheet(
        color && color->alpha()
            ? QStringLiteral("background:%1;color:%2")
                  .arg(color->name(), color->lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black"))
            : QString());
}

} // namespace

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
{
    setObjectName(QStringLiteral("PropertyPanel"));
    build();
    connect(&m_surface, &DesignSurface::selectionChanged, this, &PropertyPanel::refresh);
    connect(&m_model, &DesignerModel::changed, this, &PropertyPanel::refresh);
    refresh();
}

void PropertyPanel::build()
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *content = new QWidget;
    scroll->setWidget(content);
    auto *column = new QVBoxLayout(content);

    auto lineEdit = [this](const char *name) {
        auto *edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    auto check = [](const QString &text, const char *name) {
        auto *box = new QCheckBox(text);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    auto colorButton = [](const char *name) {
        auto *button = new QPushButton;
        button->setObjectName(QLatin1String(name));
        return button;
    };
    auto group = [column](const QString &title) {
        auto *box = new QGroupBox(title);
        auto *form = new QFormLayout(box);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        column->addWidget(box);
        return form;
    };

    m_kind = new QLabel;
    m_kind->setObjectName(QStringLiteral("KindLabel"));
    QFont bold = m_kind->font();
    bold.setBold(true);
    m_kind->setFont(bold);
    column->addWidget(m_kind);

    QFormLayout *place = group(QStringLiteral("Umístění (mm)"));
    m_name = lineEdit("NameEdit");
    place->addRow(QStringLiteral("Název:"), m_name);
    m_x = lineEdit("LeftEdit");
    m_y = lineEdit("TopEdit");
    m_width = lineEdit("WidthEdit");
    m_height = lineEdit("HeightEdit");
    place->addRow(QStringLiteral("Vlevo:"), m_x);
    place->addRow(QStringLiteral("Nahoře:"), m_y);
    place->addRow(QStringLiteral("Šířka:"), m_width);
    place->addRow(QStringLiteral("Výška:"), m_height);
    m_visible = check(QStringLiteral("Viditelný"), "VisibleCheck");
    place->addRow(m_visible);

    QFormLayout *text = group(QStringLiteral("Obsah"));
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("TextEdit"));
    m_text->setFixedHeight(70);
    m_text->installEventFilter(this);
    m_textButton = new QPushButton(QStringLiteral("Výraz…"));
    m_textButton->setObjectName(QStringLiteral("ExpressionButton"));
    text->addRow(m_text);
    text->addRow(m_textButton);
    m_pictureButton = new QPushButton(QStringLiteral("Obrázek ze souboru…"));
    m_pictureButton->setObjectName(QStringLiteral("PictureButton"));
    text->addRow(m_pictureButton);
    m_format = lineEdit("FormatEdit");
    m_format->setToolTip(QStringLiteral("Formát jako za # ve výrazu: N2,2  N#,##0.00  Ddd.mm.yyyy  Bne;ano"));
    text->addRow(QStringLiteral("Formát:"), m_format);

    QFormLayout *font = group(QStringLiteral("Písmo a zarovnání"));
    m_font = new QFontComboBox;
    m_font->setObjectName(QStringLiteral("FontCombo"));
    font->addRow(QStringLiteral("Písmo:"), m_font);
    m_fontSize = lineEdit("FontSizeEdit");
    font->addRow(QStringLiteral("Velikost:"), m_fontSize);
    auto *styles = new QHBoxLayout;
    m_bold = check(QStringLiteral("Tučné"), "BoldCheck");
    m_italic = check(QStringLiteral("Kurzíva"), "ItalicCheck");
    m_underline = check(QStringLiteral("Podtržené"), "UnderlineCheck");
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);
    font->addRow(styles);
    m_textColor = colorButton("TextColorButton");
    font->addRow(QStringLiteral("Barva textu:"), m_textColor);
    m_hAlign = new QComboBox;
    m_hAlign->setObjectName(QStringLiteral("HAlignCombo"));
    m_hAlign->addItems(
        {QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Na střed"), QStringLiteral("Do bloku")});
    font->addRow(QStringLiteral("Vodorovně:"), m_hAlign);
    m_vAlign = new QComboBox;
    m_vAlign->setObjectName(QStringLiteral("VAlignCombo"));
    m_vAlign->addItems({QStringLiteral("Nahoru"), QStringLiteral("Na střed"), QStringLiteral("Dolů")});
    font->addRow(QStringLiteral("Svisle:"), m_vAlign);
    m_wordWrap = check(QStringLiteral("Zalamovat řádky"), "WordWrapCheck");
    m_stretch = check(QStringLiteral("Výška podle textu"), "StretchCheck");
    font->addRow(m_wordWrap);
    font->addRow(m_stretch);

    QFormLayout *frame = group(QStringLiteral("Rámeček a výplň"));
    auto *sides = new QHBoxLayout;
    const QString sideNames[] = {QStringLiteral("Vlevo"), QStringLiteral("Nahoře"), QStringLiteral("Vpravo"),
                                 QStringLiteral("Dole")};
    const char *sideObjects[] = {"FrameLeftCheck", "FrameTopCheck", "FrameRightCheck", "FrameBottomCheck"};
    for (int i = 0; i < 4; ++i) {
        m_frameSides[i] = check(sideNames[i], sideObjects[i]);
        sides->addWidget(m_frameSides[i]);
    }
    frame->addRow(sides);
    m_frameWidth = lineEdit("FrameWidthEdit");
    frame->addRow(QStringLiteral("Šířka čáry:"), m_frameWidth);
    m_frameColor = colorButton("FrameColorButton");
    frame->addRow(QStringLiteral("Barva čáry:"), m_frameColor);
    m_fill = colorButton("FillButton");
    frame->addRow(QStringLiteral("Výplň:"), m_fill);
    m_noFill = check(QStringLiteral("Bez výplně"), "NoFillCheck");
    frame->addRow(m_noFill);

    QFormLayout *highlight = group(QStringLiteral("Zvýraznění"));
    m_highlight = lineEdit("HighlightEdit");
    m_highlight->setToolTip(QStringLiteral("Podmínka, např. VALUE > 2"));
    highlight->addRow(QStringLiteral("Podmínka:"), m_highlight);
    m_highlightColor = colorButton("HighlightColorButton");
    highlight->addRow(QStringLiteral("Barva textu:"), m_highlightColor);
    m_highlightFill = colorButton("HighlightFillButton");
    highlight->addRow(QStringLiteral("Výplň:"), m_highlightFill);

    m_scriptLabel = new QLabel(QStringLiteral("Skript (ze starší šablony, nespouští se):"));
    m_script = new QPlainTextEdit;
    m_script->setObjectName(QStringLiteral("ScriptView"));
    m_script->setReadOnly(true);
    m_script->setFixedHeight(70);
    column->addWidget(m_scriptLabel);
    column->addWidget(m_script);
    column->addStretch();
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    // Edits take effect when finished (Enter or leaving the field), each as one step.
    for (QLineEdit *edit : {m_x, m_y, m_width, m_height})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { applyGeometry(edit); });
    connect(m_name, &QLineEdit::editingFinished, this, [this] {
        const QString name = m_name->text().trimmed();
        if (m_surface.selection().size() != 1 || name.isEmpty() || m_refreshing)
            return;
        if (name.compare(m_model.object(m_surface.selection().front()).name, Qt::CaseInsensitive) != 0 &&
            !m_model.isNameFree(name)) {
            m_name->setText(m_model.object(m_surface.selection().front()).name);
            return;
        }
        apply(QStringLiteral("Název"), [name](ReportObject &o) { o.name = name; });
    });
    connect(m_textButton, &QPushButton::clicked, this, &PropertyPanel::editTextRequested);
    connect(m_pictureButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Obrázek"), QString(),
                                                          QStringLiteral("Obrázky (*.png *.jpg *.jpeg *.bmp)"));
        if (!path.isEmpty())
            loadPicture(path);
    });
    connect(m_format, &QLineEdit::editingFinished, this, [this] {
        const QString format = m_format->text().trimmed();
        apply(QStringLiteral("Formát"), [format](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->displayFormat = format;
        });
    });
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont &f) {
        apply(QStringLiteral("Písmo"), [family = f.family()](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->font.family = family;
        });
    });
    connect(m_fontSize, &QLineEdit::editingFinished, this, [this] {
        const auto size = parseNumber(m_fontSize->text());
        if (!size || *size < 1 || *size > 400)
            return refresh();
        apply(QStringLiteral("Velikost písma"), [size](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->font.sizePt = *size;
        });
    });
    auto connectCheck = [this](QCheckBox *box, const QString &what, std::function<void(ReportObject &, bool)> set) {
        connect(box, &QCheckBox::clicked, this, [this, box, what, set](bool) {
            box->setTristate(false);
            const bool on = box->checkState() != Qt::Unchecked;
            apply(what, [set, on](ReportObject &o) { set(o, on); });
        });
    };
    auto textFlag = [](bool TextObject::*member) {
        return [member](ReportObject &o, bool on) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->*member = on;
        };
    };
    auto fontFlag = [](bool FontSpec::*member) {
        return [member](ReportObject &o, bool on) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->font.*member = on;
        };
    };
    connectCheck(m_bold, QStringLiteral("Tučné písmo"), fontFlag(&FontSpec::bold));
    connectCheck(m_italic, QStringLiteral("Kurzíva"), fontFlag(&FontSpec::italic));
    connectCheck(m_underline, QStringLiteral("Podtržení"), fontFlag(&FontSpec::underline));
    connectCheck(m_wordWrap, QStringLiteral("Zalamování"), textFlag(&TextObject::wordWrap));
    connectCheck(m_stretch, QStringLiteral("Výška podle textu"), textFlag(&TextObject::stretch));
    connectCheck(m_visible, QStringLiteral("Viditelnost"), [](ReportObject &o, bool on) { o.visible = on; });
    connectCheck(m_noFill, QStringLiteral("Výplň"), [](ReportObject &o, bool on) {
        if (on)
            o.fill = Qt::transparent;
        else if (o.fill.alpha() == 0)
            o.fill = Qt::white;
    });
    bool FrameStyle::*sideMembers[] = {&FrameStyle::left, &FrameStyle::top, &FrameStyle::right, &FrameStyle::bottom};
    for (int i = 0; i < 4; ++i)
        connectCheck(m_frameSides[i], QStringLiteral("Rámeček"),
                     [member = sideMembers[i]](ReportObject &o, bool on) { o.frame.*member = on; });
    connect(m_frameWidth, &QLineEdit::editingFinished, this, [this] {
        const auto width = parseNumber(m_frameWidth->text());
        if (!width || *width < 0 || *width > 20)
            return refresh();
        apply(QStringLiteral("Šířka čáry"), [width](ReportObject &o) { o.frame.widthMm = *width; });
    });
    connect(m_hAlign, &QComboBox::activated, this, [this](int index) {
        apply(QStringLiteral("Zarovnání"), [index](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->hAlign = HAlign(index);
        });
    });
    connect(m_vAlign, &QComboBox::activated, this, [this](int index) {
        apply(QStringLiteral("Zarovnání"), [index](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->vAlign = VAlign(index);
        });
    });
    connect(m_textColor, &QPushButton::clicked, this, [this] {
        pickColor(m_textColor, QStringLiteral("Barva textu"), [](ReportObject &o, QColor c) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->color = c;
        });
    });
    connect(m_frameColor, &QPushButton::clicked, this, [this] {
        pickColor(m_frameColor, QStringLiteral("Barva čáry"), [](ReportObject &o, QColor c) { o.frame.color = c; });
    });
    connect(m_fill, &QPushButton::clicked, this,
            [this] { pickColor(m_fill, QStringLiteral("Výplň"), [](ReportObject &o, QColor c) { o.fill = c; }); });
    connect(m_highlight, &QLineEdit::editingFinished, this, [this] {
        const QString condition = m_highlight->text().trimmed();
        apply(QStringLiteral("Zvýraznění"), [condition](ReportObject &o) {
            if (auto *t = std::get_if<TextObject>(&o.content)) {
                if (t->highlight.condition.isEmpty() && !condition.isEmpty())
                    t->highlight.font = t->font;
                t->highlight.condition = condition;
            }
        });
    });
    connect(m_highlightColor, &QPushButton::clicked, this, [this] {
        pickColor(m_highlightColor, QStringLiteral("Zvýraznění"), [](ReportObject &o, QColor c) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->highlight.color = c;
        });
    });
    connect(m_highlightFill, &QPushButton::clicked, this, [this] {
        pickColor(m_highlightFill, QStringLiteral("Zvýraznění"), [](ReportObject &o, QColor c) {
            if (auto *t = std::get_if<TextObject>(&o.content))
                t->highlight.fill = c;
        });
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

void PropertyPanel::applyGeometry(QLineEdit *edit)
{
    if (m_refreshing)
        return;
    const auto value = parseNumber(edit->text());
    if (!value || (edit != m_x && edit != m_y && *value < 0))
        return refresh();
    apply(QStringLiteral("Umístění"), [this, edit, v = *value](ReportObject &o) {
        if (edit == m_x)
            o.rect.moveLeft(v);
        else if (edit == m_y)
            o.rect.moveTop(v);
        else if (edit == m_width)
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

void PropertyPanel::pickColor(QPushButton *button, const QString &what,
                              const std::function<void(ReportObject &, QColor)> &set)
{
    const QColor start(button->text().startsWith(u'#') ? QColor(button->text()) : QColor(Qt::black));
    const QColor color = QColorDialog::getColor(start, this, what);
    if (color.isValid())
        apply(what, [set, color](ReportObject &o) { set(o, color); });
}

void PropertyPanel::refresh()
{
    m_refreshing = true;
    const std::vector<ReportObject> objects = selected();
    const bool any = !objects.empty();
    const bool allText = any && std::all_of(objects.begin(), objects.end(), [](const ReportObject &o) {
                             return std::holds_alternative<TextObject>(o.content);
                         });
    setEnabled(any);
    if (!any)
        m_kind->setText(QStringLiteral("Nic není vybráno"));
    else if (objects.size() == 1)
        m_kind->setText(objectKindCaption(objectKindOf(objects.front())) + QStringLiteral(" ") + objects.front().name);
    else
        m_kind->setText(QStringLiteral("Vybráno objektů: %1").arg(objects.size()));

    m_name->setEnabled(objects.size() == 1);
    m_name->setText(objects.size() == 1 ? objects.front().name : QString());
    auto showNumber = [&](QLineEdit *edit, auto get) {
        const auto value = common<double>(objects, [get](const ReportObject &o) { return std::optional(get(o)); });
        edit->setText(value ? mmText(*value) : QString());
    };
    showNumber(m_x, [](const ReportObject &o) { return o.rect.left(); });
    showNumber(m_y, [](const ReportObject &o) { return o.rect.top(); });
    showNumber(m_width, [](const ReportObject &o) { return o.rect.width(); });
    showNumber(m_height, [](const ReportObject &o) { return o.rect.height(); });
    showNumber(m_frameWidth, [](const ReportObject &o) { return o.frame.widthMm; });
    showCheck(m_visible, common<bool>(objects, [](const ReportObject &o) { return std::optional(o.visible); }));

    const bool hasContent =
        any && std::all_of(objects.begin(), objects.end(), [](ReportObject o) { return contentText(o) != nullptr; });
    const auto text = common<QString>(objects, [](ReportObject o) {
        const QString *t = contentText(o);
        return t ? std::optional(*t) : std::nullopt;
    });
    m_text->setPlainText(text.value_or(QString()));
    m_text->document()->setModified(false);
    m_text->setReadOnly(!hasContent);
    m_textButton->setEnabled(hasContent);
    m_pictureButton->setVisible(any && std::all_of(objects.begin(), objects.end(), [](const ReportObject &o) {
                                    return std::holds_alternative<PictureObject>(o.content);
                                }));

    for (QWidget *w : std::initializer_list<QWidget *> {m_format, m_font, m_fontSize, m_bold, m_italic, m_underline,
                                                        m_textColor, m_hAlign, m_vAlign, m_wordWrap, m_stretch,
                                                        m_highlight, m_highlightColor, m_highlightFill})
        w->setEnabled(allText);
    auto textValue = [&objects](auto get) {
        return [get](const ReportObject &o) {
            const TextObject *t = textOf(o);
            return t ? std::optional(get(*t)) : std::nullopt;
        };
    };
    m_format->setText(
        common<QString>(objects, textValue([](const TextObject &t) { return t.displayFormat; })).value_or(QString()));
    const auto family = common<QString>(objects, textValue([](const TextObject &t) { return t.font.family; }));
    m_font->setCurrentIndex(-1);
    if (family)
        m_font->setCurrentFont(QFont(*family));
    const auto size = common<double>(objects, textValue([](const TextObject &t) { return t.font.sizePt; }));
    m_fontSize->setText(size ? mmText(*size) : QString());
    showCheck(m_bold, common<bool>(objects, textValue([](const TextObject &t) { return t.font.bold; })));
    showCheck(m_italic, common<bool>(objects, textValue([](const TextObject &t) { return t.font.italic; })));
    showCheck(m_underline, common<bool>(objects, textValue([](const TextObject &t) { return t.font.underline; })));
    showCheck(m_wordWrap, common<bool>(objects, textValue([](const TextObject &t) { return t.wordWrap; })));
    showCheck(m_stretch, common<bool>(objects, textValue([](const TextObject &t) { return t.stretch; })));
    const auto h = common<int>(objects, textValue([](const TextObject &t) { return int(t.hAlign); }));
    m_hAlign->setCurrentIndex(h.value_or(-1));
    const auto v = common<int>(objects, textValue([](const TextObject &t) { return int(t.vAlign); }));
    m_vAlign->setCurrentIndex(v.value_or(-1));
    showColor(m_textColor, common<QColor>(objects, textValue([](const TextObject &t) { return t.color; })));
    m_highlight->setText(common<QString>(objects, textValue([](const TextObject &t) { return t.highlight.condition; }))
                             .value_or(QString()));
    showColor(m_highlightColor,
              common<QColor>(objects, textValue([](const TextObject &t) { return t.highlight.color; })));
    showColor(m_highlightFill,
              common<QColor>(objects, textValue([](const TextObject &t) { return t.highlight.fill; })));

    bool FrameStyle::*sideMembers[] = {&FrameStyle::left, &FrameStyle::top, &FrameStyle::right, &FrameStyle::bottom};
    for (int i = 0; i < 4; ++i)
        showCheck(m_frameSides[i], common<bool>(objects, [member = sideMembers[i]](const ReportObject &o) {
                      return std::optional(o.frame.*member);
                  }));
    showColor(m_frameColor,
              common<QColor>(objects, [](const ReportObject &o) { return std::optional(o.frame.color); }));
    const auto fill = common<QColor>(objects, [](const ReportObject &o) { return std::optional(o.fill); });
    showColor(m_fill, fill);
    showCheck(m_noFill, fill ? std::optional(fill->alpha() == 0) : std::nullopt);

    const auto script = common<QString>(objects, [](const ReportObject &o) { return std::optional(o.script); });
    const bool showScript = script && !script->isEmpty();
    m_script->setPlainText(showScript ? *script : QString());
    m_script->setVisible(showScript);
    m_scriptLabel->setVisible(showScript);
    m_refreshing = false;
}

} // namespace ergotab::report::designer
