#pragma once

// Bar codes drawn as plain rectangles: the symbol is encoded by libzint and its dark modules
// fitted into the object's rectangle in millimetres, so every renderer draws them as shapes.

#include "reportengine/barcode/BarcodeType.h"
#include "reportengine/prepared/PreparedReport.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ergotab::report {

// The names templates use for the symbologies ("Code39", "Code128", "EAN13", "EAN8", "I2of5",
// "QR"), in the order of BarcodeType; names are matched without regard to case.
QString barcodeTypeName(BarcodeType type);
std::optional<BarcodeType> barcodeTypeFromName(const QString &name);

struct BarcodeSymbol
{
    int moduleColumns = 0;    // the symbol's width in modules, quiet zones not counted
    int moduleRows = 0;       // 1 for linear codes
    std::vector<QRectF> bars; // dark areas in millimetres; side by side modules merged
    QString text;             // the human-readable line under linear codes, empty for QR
    QRectF textRect;          // where that line goes, under the bars
};

// Encodes `data` and fits it into `rect`: linear codes fill the width with bars over the height
// left by the text line; QR codes are square, as large as fits, centred. `checkDigit` adds the
// optional check character of Code 39 and Interleaved 2 of 5 (the others always have theirs).
// Throws AppError with a message naming the symbology and the data when the data cannot be
// encoded.
BarcodeSymbol makeBarcode(BarcodeType type, const QString &data, const QRectF &rect, bool showText = true,
                          bool checkDigit = false);

// The prepared items of a symbol: one filled rectangle per bar and the text line in `font`.
void appendBarcodeItems(const BarcodeSymbol &symbol, const QColor &color, const QFont &font,
                        std::vector<PreparedItem> &items);

} // namespace ergotab::report
