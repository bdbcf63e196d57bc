#include "Barcode.h"

#include "storage/AppError.h"

#include <zint.h>

#include <memory>

namespace ergotab::report {

namespace {

struct SymbolDeleter
{
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

struct Symbology
{
    BarcodeType type;
    const char *name;
    const char *caption; // as people write it in messages
};

constexpr Symbology symbologies[] = {
    {BarcodeType::Code39, "Code39", "Code 39"},
    {BarcodeType::Code128, "Code128", "Code 128"},
    {BarcodeType::Ean13, "EAN13", "EAN-13"},
    {BarcodeType::Ean8, "EAN8", "EAN-8"},
    {BarcodeType::Interleaved2of5, "I2of5", "Interleaved 2 of 5"},
    {BarcodeType::QrCode, "QR", "QR"},
};

const Symbology &symbologyOf(BarcodeType type)
{
    return symbologies[int(type)];
}

bool allDigits(const QString &data)
{
    for (const QChar c : data)
        if (c < u'0' || c > u'9')
            return false;
    return !data.isEmpty();
}

[[noreturn]] void refuse(BarcodeType type, const QString &data, const QString &reason)
{
    throw AppError(QStringLiteral("Čárový kód %1 nelze vytvořit z „%2“: %3")
                       .arg(QLatin1String(symbologyOf(type).caption), data, reason));
}

// The zint symbology for the data: EAN lengths decide whether a check digit is given (and then
// verified) or computed.
int zintSymbology(BarcodeType type, const QString &data)
{
    switch (type) {
    case BarcodeType::Code39:
        return BARCODE_CODE39;
    case BarcodeType::Code128:
        return BARCODE_CODE128;
    case BarcodeType::Ean13:
    case BarcodeType::Ean8: {
        const int withoutCheck = type == BarcodeType::Ean13 ? 12 : 7;
        if (!allDigits(data) || (data.size() != withoutCheck && data.size() != withoutCheck + 1))
            refuse(type, data,
                   QStringLiteral("je třeba %1 číslic, nebo %2 s kontrolní číslicí.")
                       .arg(withoutCheck)
                       .arg(withoutCheck + 1));
        return data.size() == withoutCheck ? BARCODE_EANX : BARCODE_EANX_CHK;
    }
    case BarcodeType::Interleaved2of5:
        return BARCODE_C25INTER;
    case BarcodeType::QrCode:
        return BARCODE_QRCODE;
    }
    return BARCODE_CODE128;
}

bool moduleIsSet(const zint_symbol &symbol, int row, int column)
{
    return (symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

} // namespace

QString barcodeTypeName(BarcodeType type)
{
    return QLatin1String(symbologyOf(type).name);
}

std::optional<BarcodeType> barcodeTypeFromName(const QString &name)
{
    for (const Symbology &symbology : symbologies)
        if (name.compare(QLatin1String(symbology.name), Qt::CaseInsensitive) == 0)
            return symbology.type;
    return std::nullopt;
}

BarcodeSymbol makeBarcode(BarcodeType type, const QString &data, const QRectF &rect, bool showText, bool checkDigit)
{
    if (data.isEmpty())
        refuse(type, data, QStringLiteral("chybí data."));
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        refuse(type, data, QStringLiteral("nedostatek paměti."));
    symbol->symbology = zintSymbology(type, data);
    symbol->input_mode = UNICODE_MODE;
    if (checkDigit && (type == BarcodeType::Code39 || type == BarcodeType::Interleaved2of5))
        symbol->option_2 = 1;
    const QByteArray utf8 = data.toUtf8();
    const int result =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()), int(utf8.size()));
    if (result >= ZINT_ERROR)
        refuse(type, data, QString::fromUtf8(symbol->errtxt));
    if (symbol->width <= 0 || symbol->rows <= 0)
        refuse(type, data, QStringLiteral("kód je prázdný."));

    BarcodeSymbol out;
    out.moduleColumns = symbol->width;
    out.moduleRows = symbol->rows;
    QRectF area = rect;
    if (type == BarcodeType::QrCode) {
        const double side = std::min(rect.width(), rect.height());
        area = QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    } else if (showText) {
        out.text = QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
        if (!out.text.isEmpty()) {
            // The text line takes a fifth of the height, at most 4 mm.
            const double textHeight = std::min(rect.height() * 0.2, 4.0);
            area.setHeight(rect.height() - textHeight);
            out.textRect = QRectF(rect.left(), area.bottom(), rect.width(), textHeight);
        }
    }
    const double moduleWidth = area.width() / symbol->width;
    const double moduleHeight = area.height() / symbol->rows;
    for (int row = 0; row < symbol->rows; ++row) {
        int column = 0;
        while (column < symbol->width) {
            if (!moduleIsSet(*symbol, row, column)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < symbol->width && moduleIsSet(*symbol, row, column))
                ++column;
            out.bars.emplace_back(area.left() + start * moduleWidth, area.top() + row * moduleHeight,
                                  (column - start) * moduleWidth, moduleHeight);
        }
    }
    return out;
}

void appendBarcodeItems(const BarcodeSymbol &symbol, const QColor &color, const QFont &font,
                        std::vector<PreparedItem> &items)
{
    ShapeItem bar;
    bar.fill = color;
    bar.stroke = Qt::transparent;
    for (const QRectF &rect : symbol.bars) {
        bar.rect = rect;
        items.push_back(bar);
    }
    if (symbol.text.isEmpty())
        return;
    TextItem text;
    text.rect = symbol.textRect;
    text.text = symbol.text;
    text.font = font;
    text.color = color;
    text.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    text.wordWrap = false;
    items.push_back(text);
}

} // namespace ergotab::report
