// The groups of the property panel for texts, their highlight, the other kinds of object, and
// the frame and fill every object has.

#include "PanelWidgets.h"
#include "PropertyPanel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace ergotab::report::designer {

using namespace panel;

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

} // namespace ergotab::report::designer
