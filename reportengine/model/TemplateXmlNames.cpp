#include "reportengine/model/TemplateXmlNames.h"

#include <array>

using namespace Qt::StringLiterals;

namespace ergotab::report::xmlnames {

std::span<const Word<BandKind>> bandKinds()
{
    static const std::array<Word<BandKind>, 22> words {{
        {BandKind::ReportTitle, "report-title"_L1},
        {BandKind::ReportSummary, "report-summary"_L1},
        {BandKind::PageHeader, "page-header"_L1},
        {BandKind::PageFooter, "page-footer"_L1},
        {BandKind::ColumnHeader, "column-header"_L1},
        {BandKind::ColumnFooter, "column-footer"_L1},
        {BandKind::MasterHeader, "master-header"_L1},
        {BandKind::MasterData, "master-data"_L1},
        {BandKind::MasterFooter, "master-footer"_L1},
        {BandKind::DetailHeader, "detail-header"_L1},
        {BandKind::DetailData, "detail-data"_L1},
        {BandKind::DetailFooter, "detail-footer"_L1},
        {BandKind::SubdetailHeader, "subdetail-header"_L1},
        {BandKind::SubdetailData, "subdetail-data"_L1},
        {BandKind::SubdetailFooter, "subdetail-footer"_L1},
        {BandKind::GroupHeader, "group-header"_L1},
        {BandKind::GroupFooter, "group-footer"_L1},
        {BandKind::Overlay, "overlay"_L1},
        {BandKind::Child, "child"_L1},
        {BandKind::CrossHeader, "cross-header"_L1},
        {BandKind::CrossData, "cross-data"_L1},
        {BandKind::CrossFooter, "cross-footer"_L1},
    }};
    return words;
}

std::span<const Word<PaperSize>> paperSizes()
{
    static const std::array<Word<PaperSize>, 6> words {{
        {PaperSize::A4, "A4"_L1},
        {PaperSize::A3, "A3"_L1},
        {PaperSize::A5, "A5"_L1},
        {PaperSize::Letter, "letter"_L1},
        {PaperSize::Legal, "legal"_L1},
        {PaperSize::Custom, "custom"_L1},
    }};
    return words;
}

std::span<const Word<Orientation>> orientations()
{
    static const std::array<Word<Orientation>, 2> words {{
        {Orientation::Portrait, "portrait"_L1},
        {Orientation::Landscape, "landscape"_L1},
    }};
    return words;
}

std::span<const Word<HAlign>> hAligns()
{
    static const std::array<Word<HAlign>, 4> words {{
        {HAlign::Left, "left"_L1},
        {HAlign::Right, "right"_L1},
        {HAlign::Center, "center"_L1},
        {HAlign::Justify, "justify"_L1},
    }};
    return words;
}

std::span<const Word<VAlign>> vAligns()
{
    static const std::array<Word<VAlign>, 3> words {{
        {VAlign::Top, "top"_L1},
        {VAlign::Center, "center"_L1},
        {VAlign::Bottom, "bottom"_L1},
    }};
    return words;
}

std::span<const Word<ShapeItem::Shape>> shapes()
{
    using S = ShapeItem::Shape;
    static const std::array<Word<S>, 6> words {{
        {S::Rectangle, "rectangle"_L1},
        {S::RoundedRectangle, "rounded-rectangle"_L1},
        {S::Ellipse, "ellipse"_L1},
        {S::Triangle, "triangle"_L1},
        {S::DiagonalDown, "diagonal-down"_L1},
        {S::DiagonalUp, "diagonal-up"_L1},
    }};
    return words;
}

std::span<const Word<BarcodeType>> barcodeTypes()
{
    static const std::array<Word<BarcodeType>, 6> words {{
        {BarcodeType::Code39, "code39"_L1},
        {BarcodeType::Code128, "code128"_L1},
        {BarcodeType::Ean13, "ean13"_L1},
        {BarcodeType::Ean8, "ean8"_L1},
        {BarcodeType::Interleaved2of5, "interleaved-2-of-5"_L1},
        {BarcodeType::QrCode, "qr"_L1},
    }};
    return words;
}

std::span<const Word<ControlKind>> controlKinds()
{
    static const std::array<Word<ControlKind>, 9> words {{
        {ControlKind::Label, "label"_L1},
        {ControlKind::Edit, "edit"_L1},
        {ControlKind::Memo, "memo"_L1},
        {ControlKind::CheckBox, "check-box"_L1},
        {ControlKind::ComboBox, "combo-box"_L1},
        {ControlKind::RadioButton, "radio-button"_L1},
        {ControlKind::DateEdit, "date-edit"_L1},
        {ControlKind::ListBox, "list-box"_L1},
        {ControlKind::Button, "button"_L1},
    }};
    return words;
}

std::span<const Word<Qt::PenStyle>> penStyles()
{
    static const std::array<Word<Qt::PenStyle>, 5> words {{
        {Qt::SolidLine, "solid"_L1},
        {Qt::DashLine, "dash"_L1},
        {Qt::DotLine, "dot"_L1},
        {Qt::DashDotLine, "dash-dot"_L1},
        {Qt::DashDotDotLine, "dash-dot-dot"_L1},
    }};
    return words;
}

std::span<const QLatin1StringView> objectElements()
{
    static const std::array<QLatin1StringView, std::variant_size_v<ObjectContent>> names {
        "text"_L1, "picture"_L1, "line"_L1, "shape"_L1, "check-box"_L1, "barcode"_L1, "rich-text"_L1, "subreport"_L1,
    };
    return names;
}

} // namespace ergotab::report::xmlnames
