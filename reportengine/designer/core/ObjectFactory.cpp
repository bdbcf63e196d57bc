#include "ObjectFactory.h"

namespace ergotab::report::designer {

namespace {

constexpr ObjectKind allObjectKinds[] = {
    ObjectKind::Text,    ObjectKind::Picture,  ObjectKind::Line,    ObjectKind::Rectangle, ObjectKind::RoundedRectangle,
    ObjectKind::Ellipse, ObjectKind::CheckBox, ObjectKind::Barcode, ObjectKind::RichText,  ObjectKind::Subreport};

constexpr BandKind allBandKinds[] = {
    BandKind::ReportTitle,     BandKind::PageHeader,    BandKind::ColumnHeader,    BandKind::GroupHeader,
    BandKind::MasterHeader,    BandKind::MasterData,    BandKind::DetailHeader,    BandKind::DetailData,
    BandKind::SubdetailHeader, BandKind::SubdetailData, BandKind::SubdetailFooter, BandKind::DetailFooter,
    BandKind::MasterFooter,    BandKind::GroupFooter,   BandKind::ReportSummary,   BandKind::ColumnFooter,
    BandKind::PageFooter,      BandKind::Overlay,       BandKind::Child,           BandKind::CrossHeader,
    BandKind::CrossData,       BandKind::CrossFooter};

// The order bands of each kind take on a page; the list above is in that order.
int rank(BandKind kind)
{
    for (size_t i = 0; i < std::size(allBandKinds); ++i)
        if (allBandKinds[i] == kind)
            return int(i);
    return 0;
}

} // namespace

std::span<const ObjectKind> objectKinds()
{
    return allObjectKinds;
}

QString objectKindCaption(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Text:
        return QStringLiteral("Text");
    case ObjectKind::Picture:
        return QStringLiteral("Obrázek");
    case ObjectKind::Line:
        return QStringLiteral("Čára");
    case ObjectKind::Rectangle:
        return QStringLiteral("Obdélník");
    case ObjectKind::RoundedRectangle:
        return QStringLiteral("Zaoblený obdélník");
    case ObjectKind::Ellipse:
        return QStringLiteral("Elipsa");
    case ObjectKind::CheckBox:
        return QStringLiteral("Zaškrtávací pole");
    case ObjectKind::Barcode:
        return QStringLiteral("Čárový kód");
    case ObjectKind::RichText:
        return QStringLiteral("Formátovaný text");
    case ObjectKind::Subreport:
        return QStringLiteral("Podsestava");
    }
    return {};
}

ObjectKind objectKindOf(const ReportObject &object)
{
    struct Visitor
    {
        ObjectKind operator()(const TextObject &) const { return ObjectKind::Text; }
        ObjectKind operator()(const PictureObject &) const { return ObjectKind::Picture; }
        ObjectKind operator()(const LineObject &) const { return ObjectKind::Line; }
        ObjectKind operator()(const ShapeObject &s) const
        {
            if (s.shape == ShapeItem::Shape::RoundedRectangle)
                return ObjectKind::RoundedRectangle;
            return s.shape == ShapeItem::Shape::Ellipse ? ObjectKind::Ellipse : ObjectKind::Rectangle;
        }
        ObjectKind operator()(const CheckBoxObject &) const { return ObjectKind::CheckBox; }
        ObjectKind operator()(const BarcodeObject &) const { return ObjectKind::Barcode; }
        ObjectKind operator()(const RichTextObject &) const { return ObjectKind::RichText; }
        ObjectKind operator()(const SubreportObject &) const { return ObjectKind::Subreport; }
    };
    return std::visit(Visitor {}, object.content);
}

ReportObject newObject(ObjectKind kind, const QRectF &rectMm)
{
    ReportObject object;
    object.rect = rectMm;
    switch (kind) {
    case ObjectKind::Text:
        object.content = TextObject {};
        break;
    case ObjectKind::Picture:
        object.content = PictureObject {};
        break;
    case ObjectKind::Line:
        object.content = LineObject {};
        object.rect.setHeight(0);
        object.frame.top = true;
        break;
    case ObjectKind::Rectangle:
    case ObjectKind::RoundedRectangle:
    case ObjectKind::Ellipse: {
        ShapeObject shape;
        shape.shape = kind == ObjectKind::Rectangle ? ShapeItem::Shape::Rectangle
                      : kind == ObjectKind::Ellipse ? ShapeItem::Shape::Ellipse
                                                    : ShapeItem::Shape::RoundedRectangle;
        object.content = shape;
        break;
    }
    case ObjectKind::CheckBox:
        object.content = CheckBoxObject {};
        object.rect.setSize(QSizeF(5, 5));
        break;
    case ObjectKind::Barcode:
        object.content = BarcodeObject {};
        break;
    case ObjectKind::RichText:
        object.content = RichTextObject {};
        break;
    case ObjectKind::Subreport:
        object.content = SubreportObject {};
        break;
    }
    return object;
}

ReportObject newTextObject(const QString &text, const QRectF &rectMm)
{
    ReportObject object = newObject(ObjectKind::Text, rectMm);
    std::get<TextObject>(object.content).text = text;
    return object;
}

QString namePrefix(const ObjectContent &content)
{
    static const QString prefixes[] = {
        QStringLiteral("Text"),     QStringLiteral("Picture"), QStringLiteral("Line"),     QStringLiteral("Shape"),
        QStringLiteral("CheckBox"), QStringLiteral("Barcode"), QStringLiteral("RichText"), QStringLiteral("Subreport")};
    static_assert(std::size(prefixes) == std::variant_size_v<ObjectContent>);
    return prefixes[content.index()];
}

std::span<const BandKind> bandKinds()
{
    return allBandKinds;
}

QString bandKindCaption(BandKind kind)
{
    switch (kind) {
    case BandKind::ReportTitle:
        return QStringLiteral("Titulek sestavy");
    case BandKind::ReportSummary:
        return QStringLiteral("Souhrn sestavy");
    case BandKind::PageHeader:
        return QStringLiteral("Záhlaví stránky");
    case BandKind::PageFooter:
        return QStringLiteral("Zápatí stránky");
    case BandKind::ColumnHeader:
        return QStringLiteral("Záhlaví sloupce");
    case BandKind::ColumnFooter:
        return QStringLiteral("Zápatí sloupce");
    case BandKind::MasterHeader:
        return QStringLiteral("Záhlaví dat 1. úrovně");
    case BandKind::MasterData:
        return QStringLiteral("Data 1. úrovně");
    case BandKind::MasterFooter:
        return QStringLiteral("Zápatí dat 1. úrovně");
    case BandKind::DetailHeader:
        return QStringLiteral("Záhlaví dat 2. úrovně");
    case BandKind::DetailData:
        return QStringLiteral("Data 2. úrovně");
    case BandKind::DetailFooter:
        return QStringLiteral("Zápatí dat 2. úrovně");
    case BandKind::SubdetailHeader:
        return QStringLiteral("Záhlaví dat 3. úrovně");
    case BandKind::SubdetailData:
        return QStringLiteral("Data 3. úrovně");
    case BandKind::SubdetailFooter:
        return QStringLiteral("Zápatí dat 3. úrovně");
    case BandKind::GroupHeader:
        return QStringLiteral("Záhlaví skupiny");
    case BandKind::GroupFooter:
        return QStringLiteral("Zápatí skupiny");
    case BandKind::Overlay:
        return QStringLiteral("Překryv");
    case BandKind::Child:
        return QStringLiteral("Podřízený pás");
    case BandKind::CrossHeader:
        return QStringLiteral("Záhlaví křížové tabulky");
    case BandKind::CrossData:
        return QStringLiteral("Data křížové tabulky");
    case BandKind::CrossFooter:
        return QStringLiteral("Zápatí křížové tabulky");
    }
    return {};
}

bool isDataBand(BandKind kind)
{
    return kind == BandKind::MasterData || kind == BandKind::DetailData || kind == BandKind::SubdetailData ||
           kind == BandKind::CrossData;
}

bool isGroupHeader(BandKind kind)
{
    return kind == BandKind::GroupHeader;
}

Band newBand(BandKind kind)
{
    Band band;
    band.kind = kind;
    band.height = isDataBand(kind) ? 8.0 : 12.0;
    return band;
}

int suggestedBandPosition(const ReportPage &page, BandKind kind)
{
    int position = 0;
    for (size_t i = 0; i < page.bands.size(); ++i)
        if (rank(page.bands[i].kind) <= rank(kind))
            position = int(i) + 1;
    return position;
}

QString paperCaption(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A4:
        return QStringLiteral("A4 (210 × 297 mm)");
    case PaperSize::A3:
        return QStringLiteral("A3 (297 × 420 mm)");
    case PaperSize::A5:
        return QStringLiteral("A5 (148 × 210 mm)");
    case PaperSize::Letter:
        return QStringLiteral("Letter (215,9 × 279,4 mm)");
    case PaperSize::Legal:
        return QStringLiteral("Legal (215,9 × 355,6 mm)");
    case PaperSize::Custom:
        return QStringLiteral("Vlastní");
    }
    return {};
}

QString controlKindCaption(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return QStringLiteral("Popisek");
    case ControlKind::Edit:
        return QStringLiteral("Editační pole");
    case ControlKind::Memo:
        return QStringLiteral("Víceřádkové pole");
    case ControlKind::CheckBox:
        return QStringLiteral("Zaškrtávací pole");
    case ControlKind::ComboBox:
        return QStringLiteral("Rozbalovací seznam");
    case ControlKind::RadioButton:
        return QStringLiteral("Přepínač");
    case ControlKind::DateEdit:
        return QStringLiteral("Datum");
    case ControlKind::ListBox:
        return QStringLiteral("Seznam");
    case ControlKind::Button:
        return QStringLiteral("Tlačítko");
    }
    return {};
}

} // namespace ergotab::report::designer
