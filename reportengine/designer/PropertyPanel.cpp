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
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

namespace {

template <typename Kind> bool isKind(const ReportObject &o)
{
    return std::holds_alternative<Kind>(o.content);
}

QLineEdit *lineEdit(const char *name, const QString &tip = {})
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(tip);
    return edit;
}

QCheckBox *checkBox(const QString &text, const char *name)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton *colorButton(const char *name)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    return button;
}

QComboBox *comboBox(const char *name, std::initializer_list<std::pair<QString, int>> items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    for (const auto &[caption, value] : items)
        combo->addItem(caption, value);
    return combo;
}

QFontComboBox *fontCombo(const char *name)
{
    auto *combo = new QFontComboBox;
    combo->setObjectName(QLatin1String(name));
    // Long family names would otherwise widen the whole panel.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(10);
    return combo;
}

// Check boxes two to a row, so the panel stays narrow.
QGridLayout *checkGrid(std::initializer_list<QCheckBox *> boxes)
{
    auto *grid = new QGridLayout;
    int i = 0;
    for (QCheckBox *box : boxes) {
        grid->addWidget(box, i / 2, i % 2);
        ++i;
    }
    return grid;
}

// The font style check boxes of a font reached through `font`.
template <typename Kind>
void bindFontStyles(PanelBindings &bindings, const QString &what, FontSpec *(*font)(Kind &),
                    std::initializer_list<std::pair<QCheckBox *, bool FontSpec::*>> boxes)
{
    for (const auto &[box, member] : boxes)
        bindings.check(box, what, contentField<Kind>([font, member = member](Kind &k) { return &(font(k)->*member); }));
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

void PropertyPanel::buildText(QVBoxLayout *column)
{
    QFormLayout *form = addGroup(column, QStringLiteral("Text"), "TextGroup", isKind<TextObject>);
    auto field = [](auto get) { return contentField<TextObject>(get); };

    QLineEdit *format = lineEdit("FormatEdit", QStringLiteral("Formát jako za # ve výrazu: N2,2  N#,##0.00  "
                                                              "Ddd.mm.yyyy  Bne;ano"));
    form->addRow(QStringLiteral("Formát:"), format);
    m_bindings->text(format, QStringLiteral("Formát"), field([](TextObject &t) { return &t.displayFormat; }));
    QFontComboBox *font = fontCombo("FontCombo");
    form->addRow(QStringLiteral("Písmo:"), font);
    m_bindings->fontFamily(font, QStringLiteral("Písmo"), field([](TextObject &t) { return &t.font.family; }));
    QLineEdit *size = lineEdit("FontSizeEdit");
    form->addRow(QStringLiteral("Velikost:"), size);
    m_bindings->number(size, QStringLiteral("Velikost písma"), field([](TextObject &t) { return &t.font.sizePt; }), 1,
                       400);
    QCheckBox *bold = checkBox(QStringLiteral("Tučné"), "BoldCheck");
    QCheckBox *italic = checkBox(QStringLiteral("Kurzíva"), "ItalicCheck");
    QCheckBox *underline = checkBox(QStringLiteral("Podtržené"), "UnderlineCheck");
    QCheckBox *strike = checkBox(QStringLiteral("Přeškrtnuté"), "StrikeOutCheck");
    form->addRow(checkGrid({bold, italic, underline, strike}));
    bindFontStyles<TextObject>(*m_bindings, QStringLiteral("Řez písma"), [](TextObject &t) { return &t.font; },
                               {{bold, &FontSpec::bold},
                                {italic, &FontSpec::italic},
                                {underline, &FontSpec::underline},
                                {strike, &FontSpec::strikeOut}});
    QPushButton *color = colorButton("TextColorButton");
    form->addRow(QStringLiteral("Barva textu:"), color);
    m_bindings->color(color, QStringLiteral("Barva textu"), field([](TextObject &t) { return &t.color; }));

    QComboBox *hAlign = comboBox("HAlignCombo", {{QStringLiteral("Vlevo"), int(HAlign::Left)},
                                                 {QStringLiteral("Vpravo"), int(HAlign::Right)},
                                                 {QStringLiteral("Na střed"), int(HAlign::Center)},
                                                 {QStringLiteral("Do bloku"), int(HAlign::Justify)}});
    form->addRow(QStringLiteral("Vodorovně:"), hAlign);
    m_bindings->choice<HAlign>(hAlign, QStringLiteral("Zarovnání"), field([](TextObject &t) { return &t.hAlign; }));
    QComboBox *vAlign = comboBox("VAlignCombo", {{QStringLiteral("Nahoru"), int(VAlign::Top)},
                                                 {QStringLiteral("Na střed"), int(VAlign::Center)},
                                                 {QStringLiteral("Dolů"), int(VAlign::Bottom)}});
    form->addRow(QStringLiteral("Svisle:"), vAlign);
    m_bindings->choice<VAlign>(vAlign, QStringLiteral("Zarovnání"), field([](TextObject &t) { return &t.vAlign; }));
    QComboBox *rotation =
        comboBox("RotationCombo", {{QStringLiteral("Vodorovně"), 0}, {QStringLiteral("Zdola nahoru (90°)"), 90}});
    form->addRow(QStringLiteral("Otočení:"), rotation);
    m_bindings->choice<int>(rotation, QStringLiteral("Otočení"), field([](TextObject &t) { return &t.rotation; }));

    const std::tuple<QString, const char *, QString, bool TextObject::*> flags[] = {
        {QStringLiteral("Zalamovat řádky"), "WordWrapCheck", QStringLiteral("Zalamování"), &TextObject::wordWrap},
        {QStringLiteral("Výška podle textu"), "StretchCheck", QStringLiteral("Výška podle textu"),
         &TextObject::stretch},
        {QStringLiteral("Šířka podle textu"), "AutoSizeCheck", QStringLiteral("Šířka podle textu"),
         &TextObject::autoSize},
        {QStringLiteral("Skrýt nuly"), "HideZerosCheck", QStringLiteral("Skrýt nuly"), &TextObject::hideZeros},
        {QStringLiteral("Bez výrazů ([ ] se tisknou, jak jsou)"), "PlainTextCheck", QStringLiteral("Bez výrazů"),
         &TextObject::plainText},
    };
    for (const auto &[caption, name, what, member] : flags) {
        QCheckBox *box = checkBox(caption, name);
        form->addRow(box);
        m_bindings->check(box, what, field([member = member](TextObject &t) { return &(t.*member); }));
    }
}

void PropertyPanel::buildHighlight(QVBoxLayout *column)
{
    QFormLayout *form = addGroup(column, QStringLiteral("Zvýraznění"), "HighlightGroup", isKind<TextObject>);
    auto field = [](auto get) { return contentField<TextObject>(get); };
    QLineEdit *condition = lineEdit("HighlightEdit", QStringLiteral("Podmínka, např. VALUE > 2"));
    form->addRow(QStringLiteral("Podmínka:"), withEditorButton(condition, "HighlightButton"));
    // A new highlight starts from the text's own font.
    m_bindings->expression(condition, QStringLiteral("Zvýraznění"),
                           field([](TextObject &t) { return &t.highlight.condition; }), [](ReportObject &o) {
                               if (auto *t = std::get_if<TextObject>(&o.content); t && t->highlight.condition.isEmpty())
                                   t->highlight.font = t->font;
                           });
    QFontComboBox *font = fontCombo("HighlightFontCombo");
    form->addRow(QStringLiteral("Písmo:"), font);
    m_bindings->fontFamily(font, QStringLiteral("Zvýraznění"),
                           field([](TextObject &t) { return &t.highlight.font.family; }));
    QLineEdit *size = lineEdit("HighlightSizeEdit");
    form->addRow(QStringLiteral("Velikost:"), size);
    m_bindings->number(size, QStringLiteral("Zvýraznění"),
                       field([](TextObject &t) { return &t.highlight.font.sizePt; }), 1, 400);
    QCheckBox *bold = checkBox(QStringLiteral("Tučné"), "HighlightBoldCheck");
    QCheckBox *italic = checkBox(QStringLiteral("Kurzíva"), "HighlightItalicCheck");
    QCheckBox *underline = checkBox(QStringLiteral("Podtržené"), "HighlightUnderlineCheck");
    QCheckBox *strike = checkBox(QStringLiteral("Přeškrtnuté"), "HighlightStrikeOutCheck");
    form->addRow(checkGrid({bold, italic, underline, strike}));
    bindFontStyles<TextObject>(*m_bindings, QStringLiteral("Zvýraznění"),
                               [](TextObject &t) { return &t.highlight.font; },
                               {{bold, &FontSpec::bold},
                                {italic, &FontSpec::italic},
                                {underline, &FontSpec::underline},
                                {strike, &FontSpec::strikeOut}});
    QPushButton *color = colorButton("HighlightColorButton");
    form->addRow(QStringLiteral("Barva textu:"), color);
    m_bindings->color(color, QStringLiteral("Zvýraznění"), field([](TextObject &t) { return &t.highlight.color; }));
    QPushButton *fill = colorButton("HighlightFillButton");
    QCheckBox *noFill = checkBox(QStringLiteral("Bez výplně"), "HighlightNoFillCheck");
    form->addRow(QStringLiteral("Výplň:"), fill);
    form->addRow(noFill);
    m_bindings->color(fill, QStringLiteral("Zvýraznění"), field([](TextObject &t) { return &t.highlight.fill; }),
                      noFill);
}

void PropertyPanel::buildKinds(QVBoxLayout *column)
{
    QFormLayout *picture = addGroup(column, QStringLiteral("Obrázek"), "PictureGroup", isKind<PictureObject>);
    const std::tuple<QString, const char *, bool PictureObject::*> pictureFlags[] = {
        {QStringLiteral("Přizpůsobit velikosti objektu"), "PictureStretchCheck", &PictureObject::stretch},
        {QStringLiteral("Zachovat poměr stran"), "KeepRatioCheck", &PictureObject::keepRatio},
        {QStringLiteral("Na střed"), "PictureCenterCheck", &PictureObject::center},
    };
    for (const auto &[caption, name, member] : pictureFlags) {
        QCheckBox *box = checkBox(caption, name);
        picture->addRow(box);
        m_bindings->check(box, QStringLiteral("Obrázek"),
                          contentField<PictureObject>([member = member](PictureObject &p) { return &(p.*member); }));
    }

    using Shape = ShapeItem::Shape;
    QFormLayout *shape = addGroup(column, QStringLiteral("Tvar"), "ShapeGroup", isKind<ShapeObject>);
    QComboBox *kind = comboBox("ShapeCombo", {{QStringLiteral("Obdélník"), int(Shape::Rectangle)},
                                              {QStringLiteral("Zaoblený obdélník"), int(Shape::RoundedRectangle)},
                                              {QStringLiteral("Elipsa"), int(Shape::Ellipse)},
                                              {QStringLiteral("Trojúhelník"), int(Shape::Triangle)},
                                              {QStringLiteral("Úhlopříčka dolů"), int(Shape::DiagonalDown)},
                                              {QStringLiteral("Úhlopříčka nahoru"), int(Shape::DiagonalUp)}});
    shape->addRow(QStringLiteral("Tvar:"), kind);
    m_bindings->choice<Shape>(kind, QStringLiteral("Tvar"),
                              contentField<ShapeObject>([](ShapeObject &s) { return &s.shape; }));
    QLineEdit *radius = lineEdit("CornerRadiusEdit", QStringLiteral("Zaoblený obdélník: poloměr rohů v mm"));
    shape->addRow(QStringLiteral("Poloměr rohů:"), radius);
    m_bindings->number(radius, QStringLiteral("Poloměr rohů"),
                       contentField<ShapeObject>([](ShapeObject &s) { return &s.cornerRadiusMm; }), 0, 100);

    QFormLayout *check = addGroup(column, QStringLiteral("Zaškrtávací pole"), "CheckBoxGroup", isKind<CheckBoxObject>);
    QComboBox *style = comboBox("CheckStyleCombo", {{QStringLiteral("Křížek"), 1}, {QStringLiteral("Fajfka"), 0}});
    check->addRow(QStringLiteral("Značka:"), style);
    m_bindings->choice<bool>(style, QStringLiteral("Styl zaškrtnutí"),
                             contentField<CheckBoxObject>([](CheckBoxObject &c) { return &c.crossStyle; }));
    QPushButton *checkColor = colorButton("CheckColorButton");
    check->addRow(QStringLiteral("Barva značky:"), checkColor);
    m_bindings->color(checkColor, QStringLiteral("Barva značky"),
                      contentField<CheckBoxObject>([](CheckBoxObject &c) { return &c.checkColor; }));

    // A subreport prints another report page of the template: chosen from their names.
    QFormLayout *subreport = addGroup(column, QStringLiteral("Podsestava"), "SubreportGroup", isKind<SubreportObject>);
    m_subreportPage = new QComboBox;
    m_subreportPage->setObjectName(QStringLiteral("SubreportPageCombo"));
    subreport->addRow(QStringLiteral("Stránka:"), m_subreportPage);
    connect(m_subreportPage, &QComboBox::textActivated, this, [this](const QString &page) {
        apply(QStringLiteral("Podsestava"), [page](ReportObject &o) {
            if (auto *s = std::get_if<SubreportObject>(&o.content))
                s->page = page;
        });
    });

    QFormLayout *barcode = addGroup(column, QStringLiteral("Čárový kód"), "BarcodeGroup", isKind<BarcodeObject>);
    auto barcodeField = [](auto get) { return contentField<BarcodeObject>(get); };
    QComboBox *type =
        comboBox("BarcodeTypeCombo", {{QStringLiteral("Code 39"), int(BarcodeType::Code39)},
                                      {QStringLiteral("Code 128"), int(BarcodeType::Code128)},
                                      {QStringLiteral("EAN-13"), int(BarcodeType::Ean13)},
                                      {QStringLiteral("EAN-8"), int(BarcodeType::Ean8)},
                                      {QStringLiteral("2 z 5 prokládaný"), int(BarcodeType::Interleaved2of5)},
                                      {QStringLiteral("QR kód"), int(BarcodeType::QrCode)}});
    barcode->addRow(QStringLiteral("Typ:"), type);
    m_bindings->choice<BarcodeType>(type, QStringLiteral("Typ kódu"),
                                    barcodeField([](BarcodeObject &b) { return &b.type; }));
    QComboBox *angle = comboBox("BarcodeAngleCombo", {{QStringLiteral("0°"), 0},
                                                      {QStringLiteral("90°"), 90},
                                                      {QStringLiteral("180°"), 180},
                                                      {QStringLiteral("270°"), 270}});
    barcode->addRow(QStringLiteral("Otočení:"), angle);
    m_bindings->choice<int>(angle, QStringLiteral("Otočení"), barcodeField([](BarcodeObject &b) { return &b.angle; }));
    QCheckBox *checksum = checkBox(QStringLiteral("Kontrolní znak"), "ChecksumCheck");
    checksum->setToolTip(QStringLiteral("Code 39 a 2 z 5: připojit kontrolní znak"));
    QCheckBox *showText = checkBox(QStringLiteral("Text pod kódem"), "ShowTextCheck");
    barcode->addRow(checkGrid({checksum, showText}));
    m_bindings->check(checksum, QStringLiteral("Kontrolní znak"),
                      barcodeField([](BarcodeObject &b) { return &b.checksum; }));
    m_bindings->check(showText, QStringLiteral("Text pod kódem"),
                      barcodeField([](BarcodeObject &b) { return &b.showText; }));
}

void PropertyPanel::buildFrame(QVBoxLayout *column)
{
    QFormLayout *frame = addGroup(column, QStringLiteral("Rámeček a výplň"), "FrameGroup");
    QCheckBox *sides[] = {
        checkBox(QStringLiteral("Vlevo"), "FrameLeftCheck"), checkBox(QStringLiteral("Nahoře"), "FrameTopCheck"),
        checkBox(QStringLiteral("Vpravo"), "FrameRightCheck"), checkBox(QStringLiteral("Dole"), "FrameBottomCheck")};
    frame->addRow(checkGrid({sides[0], sides[1], sides[2], sides[3]}));
    bool FrameStyle::*members[] = {&FrameStyle::left, &FrameStyle::top, &FrameStyle::right, &FrameStyle::bottom};
    for (int i = 0; i < 4; ++i)
        m_bindings->check(sides[i], QStringLiteral("Rámeček"),
                          [member = members[i]](ReportObject &o) { return &(o.frame.*member); });
    QLineEdit *width = lineEdit("FrameWidthEdit");
    frame->addRow(QStringLiteral("Šířka čáry:"), width);
    m_bindings->number(
        width, QStringLiteral("Šířka čáry"), [](ReportObject &o) { return &o.frame.widthMm; }, 0, 20);
    QComboBox *style = comboBox("FrameStyleCombo", {{QStringLiteral("Plná"), int(Qt::SolidLine)},
                                                    {QStringLiteral("Čárkovaná"), int(Qt::DashLine)},
                                                    {QStringLiteral("Tečkovaná"), int(Qt::DotLine)},
                                                    {QStringLiteral("Čerchovaná"), int(Qt::DashDotLine)},
                                                    {QStringLiteral("Dvojitě čerchovaná"), int(Qt::DashDotDotLine)}});
    frame->addRow(QStringLiteral("Styl čáry:"), style);
    m_bindings->choice<Qt::PenStyle>(style, QStringLiteral("Styl čáry"),
                                     [](ReportObject &o) { return &o.frame.style; });
    QPushButton *color = colorButton("FrameColorButton");
    frame->addRow(QStringLiteral("Barva čáry:"), color);
    m_bindings->color(color, QStringLiteral("Barva čáry"), [](ReportObject &o) { return &o.frame.color; });
    QPushButton *fill = colorButton("FillButton");
    QCheckBox *noFill = checkBox(QStringLiteral("Bez výplně"), "NoFillCheck");
    frame->addRow(QStringLiteral("Výplň:"), fill);
    frame->addRow(noFill);
    m_bindings->color(
        fill, QStringLiteral("Výplň"), [](ReportObject &o) { return &o.fill; }, noFill);
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
