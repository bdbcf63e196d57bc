#include "reportengine/barcode/Barcode.h"
#include "storage/AppError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ergotab::report;
using ergotab::AppError;

namespace {

// The row of modules of a linear symbol read back from its bars: '1' dark, '0' light.
std::string modulesOf(const BarcodeSymbol &symbol, const QRectF &rect)
{
    const double module = rect.width() / symbol.moduleColumns;
    std::string modules(symbol.moduleColumns, '0');
    for (const QRectF &bar : symbol.bars) {
        const double first = (bar.left() - rect.left()) / module;
        const double count = bar.width() / module;
        EXPECT_NEAR(first, std::round(first), 1e-6);
        EXPECT_NEAR(count, std::round(count), 1e-6);
        for (int i = 0; i < int(std::round(count)); ++i)
            modules[std::size_t(std::round(first)) + i] = '1';
    }
    return modules;
}

// An EAN-13 decoder after the standard's tables: the left half's parity gives the first digit.
std::string decodeEan13(const std::string &m)
{
    static const char *right[] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                  "1001110", "1010000", "1000100", "1001000", "1110100"};
    static const char *parities[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                     "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
    if (m.size() != 95 || m.substr(0, 3) != "101" || m.substr(45, 5) != "01010" || m.substr(92) != "101")
        return "bad guards";
    std::string digits, parity;
    for (int i = 0; i < 6; ++i) {
        const std::string code = m.substr(3 + 7 * i, 7);
        for (int d = 0; d < 10; ++d) {
            std::string l = right[d], g = right[d];
            for (char &c : l)
                c = c == '1' ? '0' : '1';
            std::reverse(g.begin(), g.end());
            if (code == l || code == g) {
                digits += char('0' + d);
                parity += code == l ? 'L' : 'G';
            }
        }
    }
    for (int i = 0; i < 6; ++i)
        for (int d = 0; d < 10; ++d)
            if (m.substr(50 + 7 * i, 7) == right[d])
                digits += char('0' + d);
    for (int d = 0; d < 10; ++d)
        if (parity == parities[d])
            return char('0' + d) + digits;
    return "bad parity " + parity;
}

QString errorOf(BarcodeType type, const QString &data)
{
    try {
        makeBarcode(type, data, QRectF(0, 0, 40, 20));
    } catch (const AppError &error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(Barcode, Ean13DecodesToItsDigitsWithTheCheckDigitAdded)
{
    const QRectF rect(10, 20, 95 * 0.33, 25);
    const BarcodeSymbol symbol = makeBarcode(BarcodeType::Ean13, QStringLiteral("400638133393"), rect);
    EXPECT_EQ(symbol.moduleColumns, 95);
    EXPECT_EQ(symbol.moduleRows, 1);
    EXPECT_EQ(decodeEan13(modulesOf(symbol, rect)), "4006381333931");
    EXPECT_EQ(symbol.text, QStringLiteral("4006381333931"));
    // The bars stand on the text line, which takes the bottom 4 mm.
    for (const QRectF &bar : symbol.bars) {
        EXPECT_DOUBLE_EQ(bar.top(), 20.0);
        EXPECT_DOUBLE_EQ(bar.bottom(), 41.0);
    }
    EXPECT_EQ(symbol.textRect, QRectF(10, 41, rect.width(), 4));

    // Given with its check digit, the digit is verified.
    EXPECT_EQ(decodeEan13(modulesOf(makeBarcode(BarcodeType::Ean13, QStringLiteral("4006381333931"), rect), rect)),
              "4006381333931");
    EXPECT_TRUE(errorOf(BarcodeType::Ean13, QStringLiteral("4006381333932"))
                    .startsWith(QStringLiteral("Čárový kód EAN-13 nelze vytvořit z „4006381333932“: ")));
    EXPECT_EQ(errorOf(BarcodeType::Ean13, QStringLiteral("40063813339A")),
              QStringLiteral("Čárový kód EAN-13 nelze vytvořit z „40063813339A“: je třeba 12 číslic, nebo 13 s "
                             "kontrolní číslicí."));
    EXPECT_FALSE(errorOf(BarcodeType::Ean13, QStringLiteral("12345")).isEmpty());
}

TEST(Barcode, LinearSymbologiesHaveTheirWidthsAndTexts)
{
    const QRectF rect(0, 0, 60, 15);
    const BarcodeSymbol ean8 = makeBarcode(BarcodeType::Ean8, QStringLiteral("9638507"), rect);
    EXPECT_EQ(ean8.moduleColumns, 67);
    const std::string m = modulesOf(ean8, rect);
    EXPECT_EQ(m.substr(0, 3), "101");
    EXPECT_EQ(m.substr(31, 5), "01010");
    EXPECT_EQ(m.substr(64), "101");
    EXPECT_EQ(ean8.text, QStringLiteral("96385074"));

    // Code 39: 13 modules a character with its gap, the start and stop asterisks shown.
    const BarcodeSymbol code39 = makeBarcode(BarcodeType::Code39, QStringLiteral("ABC-12"), rect);
    EXPECT_EQ(code39.moduleColumns, 8 * 13 - 1);
    EXPECT_EQ(code39.text, QStringLiteral("*ABC-12*"));
    EXPECT_FALSE(errorOf(BarcodeType::Code39, QStringLiteral("Žluť")).isEmpty());

    // Code 128 takes any ASCII: start, 3 symbols per … the stop pattern ends in two dark modules.
    const BarcodeSymbol code128 = makeBarcode(BarcodeType::Code128, QStringLiteral("Ergotab 1.7"), rect);
    EXPECT_EQ((code128.moduleColumns - 13) % 11, 0);
    EXPECT_EQ(modulesOf(code128, rect).substr(code128.moduleColumns - 13), "1100011101011");
    EXPECT_EQ(code128.text, QStringLiteral("Ergotab 1.7"));

    const BarcodeSymbol interleaved = makeBarcode(BarcodeType::Interleaved2of5, QStringLiteral("12345678"), rect);
    // Start 1010, a pair of digits in 18 modules, stop 11101.
    EXPECT_EQ(interleaved.moduleColumns, 4 + 4 * 18 + 5);
    EXPECT_EQ(modulesOf(interleaved, rect).substr(0, 4), "1010");
    EXPECT_EQ(interleaved.text, QStringLiteral("12345678"));
    EXPECT_FALSE(errorOf(BarcodeType::Interleaved2of5, QStringLiteral("12a4")).isEmpty());

    const BarcodeSymbol hidden = makeBarcode(BarcodeType::Code128, QStringLiteral("X"), rect, false);
    EXPECT_TRUE(hidden.text.isEmpty());
    EXPECT_DOUBLE_EQ(hidden.bars.front().height(), 15.0);
    EXPECT_TRUE(errorOf(BarcodeType::Code128, QString()).endsWith(QStringLiteral("chybí data.")));
}

TEST(Barcode, QrIsSquareCentredAndHasNoText)
{
    const QRectF rect(0, 0, 80, 30);
    const BarcodeSymbol qr = makeBarcode(BarcodeType::QrCode, QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"), rect);
    EXPECT_EQ(qr.moduleRows, qr.moduleColumns);
    EXPECT_GE(qr.moduleColumns, 21);
    EXPECT_EQ((qr.moduleColumns - 21) % 4, 0) << "QR versions grow by four modules";
    EXPECT_TRUE(qr.text.isEmpty());
    QRectF bounds;
    for (const QRectF &bar : qr.bars)
        bounds |= bar;
    EXPECT_NEAR(bounds.width(), 30.0, 1e-9);
    EXPECT_NEAR(bounds.height(), 30.0, 1e-9);
    EXPECT_NEAR(bounds.left(), 25.0, 1e-9);
    // The finder pattern in the top-left corner: a dark row of seven modules on top.
    const double module = 30.0 / qr.moduleColumns;
    EXPECT_NEAR(qr.bars.front().width(), 7 * module, 1e-9);
}

TEST(Barcode, ItemsAreFilledBarsAndACentredTextLine)
{
    const BarcodeSymbol symbol = makeBarcode(BarcodeType::Ean8, QStringLiteral("9638507"), QRectF(0, 0, 30, 20));
    std::vector<PreparedItem> items;
    appendBarcodeItems(symbol, QColor(0, 0, 128), QFont(), items);
    ASSERT_EQ(items.size(), symbol.bars.size() + 1);
    const auto &bar = std::get<ShapeItem>(items.front());
    EXPECT_EQ(bar.fill, QColor(0, 0, 128));
    EXPECT_EQ(bar.stroke.alpha(), 0);
    const auto &text = std::get<TextItem>(items.back());
    EXPECT_EQ(text.text, QStringLiteral("96385074"));
    EXPECT_EQ(text.alignment, Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(barcodeTypeFromName(QStringLiteral("ean13")), BarcodeType::Ean13);
    EXPECT_EQ(barcodeTypeName(BarcodeType::Interleaved2of5), QStringLiteral("I2of5"));
    EXPECT_FALSE(barcodeTypeFromName(QStringLiteral("PDF417")).has_value());
}
