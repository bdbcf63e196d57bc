#include "QtPrinters.h"

#include "reportengine/expr/DelphiFormat.h"
#include "reportengine/expr/DisplayFormat.h"
#include "reportengine/expr/ValueConversion.h"

#include <gtest/gtest.h>

using namespace ergotab::report;

namespace {

const QString nbsp(QChar(0x00A0));

QString grouped(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('_'), nbsp);
}

} // namespace

TEST(DisplayFormat, TheEngineFormatIntegerIsDecoded)
{
    const double v = 1234.5;
    const struct
    {
        quint32 format;
        const char *formatStr;
        QVariant value;
        const char *expected; // '_' stands for the non-breaking thousands separator
    } cases[] = {
        {0x0000022C, "", v, "1234,5"}, // the default: text
        {0x0100022C, "", v, "1234,5"}, // up to 2 places
        {0x0100022C, "", 2, "2"},
        {0x0101022C, "", v, "1234,50"}, // exactly 2 places
        {0x0102022C, "", 1234567.891, "1_234_567,89"},
        {0x0103012E, "", v, "1_234.5"}, // grouping, 1 place, '.' as the decimal point
        {0x0104002C, "#,##0.000", v, "1_234,500"},
        {0x0101022C, "", QStringLiteral("abc"), "abc"}, // no number: printed as it is
        {0x0101022C, "", QVariant(), ""},
        {0x02010000, "", QDate(2024, 3, 5), "05.03.2024"},
        {0x02000000, "", QDate(2024, 3, 5), "05.03.24"},
        {0x02030000, "", QStringLiteral("5.3.2024"), "5. března 2024"},
        {0x02040000, "mmmm yyyy", QDate(2024, 3, 5), "březen 2024"},
        {0x02010000, "", 12, "12"}, // a plain number is no date
        {0x03020000, "", QTime(8, 5, 7), "08:05"},
        {0x03010000, "", QDateTime(QDate(2024, 3, 5), QTime(8, 5, 7)), "8:05:07"},
        {0x04000000, "", true, "1"},
        {0x04010000, "", 0, "Ne"},
        {0x04020000, "", 1, "x"},
        {0x04040000, "nesplněno;splněno", QStringLiteral("True"), "splněno"},
        {0x07000000, "", v, "1234,5"}, // unknown category: as it is
    };
    for (const auto &c : cases) {
        const DisplayFormat f = DisplayFormat::fromEngineFormat(c.format, QString::fromUtf8(c.formatStr));
        EXPECT_EQ(formatValue(c.value, f), grouped(c.expected)) << std::hex << c.format;
    }
    const DisplayFormat custom = DisplayFormat::fromEngineFormat(0x0104032E, QStringLiteral("0.000"));
    EXPECT_EQ(custom.toEngineFormat(), 0x0104032Eu);
    EXPECT_EQ(DisplayFormat::fromEngineFormat(custom.toEngineFormat(), custom.pattern), custom);

    DisplayFormat hide = DisplayFormat::fromEngineFormat(0x0101022C);
    hide.hideZeros = true;
    EXPECT_EQ(formatValue(0, hide), QString());
    EXPECT_EQ(formatValue(0.001, hide), QStringLiteral("0,00")) << "only a true zero is hidden";
    DisplayFormat hideText;
    hideText.hideZeros = true;
    EXPECT_EQ(formatValue(qint64(0), hideText), QString());
}

TEST(DisplayFormat, FormatFloatPatternsPrintAsDelphiDoes)
{
    const struct
    {
        const char *pattern;
        double value;
        const char *expected;
    } cases[] = {
        {"0.00", 2.675, "2,68"}, // rounded half up on the decimal digits
        {"0.00", 0.125, "0,13"},
        {"#,##0", 1234567, "1_234_567"},
        {"#,##0.00", -1234.5, "-1_234,50"},
        {"0.##", 1.5, "1,5"},
        {"0.##", 2, "2"},
        {"#.##", 0.5, ",5"},
        {"000", 7, "007"},
        {"#", 0, ""},
        {"0", 9.5, "10"},
        {"0.0", -0.04, "0,0"}, // no minus sign before a zero
        {"0.00;(0.00)", -3.5, "(3,50)"},
        {"0.00;(0.00);\"nula\"", 0, "nula"},
        {"0.00;;'nula'", 0.001, "nula"},
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.0E-0", 0.00012, "1,2E-4"},
        {"0.00E+00", 9.999, "1,00E+01"},
        {"\"Kč \"#,##0", 1500, "Kč 1_500"},
        {"#,##0 'ks'", 2500, "2_500 ks"},
        {"00-00", 1234, "12-34"},
        {"", 1.5, "1,5"},
        {"0.00", 1e20, "100000000000000000000,00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(delphi::formatFloat(QString::fromUtf8(c.pattern), c.value), grouped(c.expected)) << c.pattern;
    EXPECT_EQ(delphi::formatFloat(QStringLiteral("#,##0.00"), 1234.5, QLatin1Char('.'), QLatin1Char(',')),
              QStringLiteral("1,234.50"));
}

TEST(DisplayFormat, FormatDateTimePatternsPrintInCzech)
{
    const QDateTime dt(QDate(2024, 3, 5), QTime(15, 7, 9, 45));
    const struct
    {
        const char *pattern;
        const char *expected;
    } cases[] = {
        {"d.m.yyyy h:nn", "5.3.2024 15:07"},
        {"dd/mm/yy", "05.03.24"},
        {"dddd d. mmmm", "úterý 5. března"},
        {"mmmm yyyy", "březen 2024"},
        {"ddd", "út"},
        {"hh:mm:ss", "15:07:09"}, // m after h is minutes
        {"h:nn am/pm", "3:07 pm"},
        {"H:NN A/P", "3:07 P"},
        {"\"Dne\" d.m.", "Dne 5.3."},
        {"'yyyy' yyyy", "yyyy 2024"},
        {"ddddd", "5.3.2024"},
        {"dddddd", "5. března 2024"},
        {"c", "5.3.2024 15:07:09"},
        {"t - tt", "15:07 - 15:07:09"},
        {"d/m", "5.3"}, // "/" is the date separator
        {"ss.zzz", "09.045"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(delphi::formatDateTime(QString::fromUtf8(c.pattern), dt), QString::fromUtf8(c.expected)) << c.pattern;
}

TEST(DisplayFormat, EditMasksPlaceTheTextAmongLiterals)
{
    const struct
    {
        const char *mask;
        const char *value;
        const char *expected;
    } cases[] = {
        {"000 00;0;_", "12345", "123 45"}, {">LL-000;0;_", "ab123", "AB-123"}, {"(000) 000;0;*", "12", "(12*) ***"},
        {"00.00;1;_", "12.34", "12.34"},   {"00.00", "12.34", "12.34"},        {"\\A-000;0", "7", "A-7__"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(delphi::formatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.value)),
                  QString::fromUtf8(c.expected))
            << c.mask;
}

TEST(DisplayFormat, TextsConvertToNumbersAndDatesOnlyWhenTheyAreSuch)
{
    EXPECT_EQ(value::numberFromText(u" -1,5 "), -1.5);
    EXPECT_EQ(value::numberFromText(u"2.25e1"), 22.5);
    for (const char16_t *bad : {u"", u"inf", u"nan", u"0x10", u"1,2,3", u"12 ks", u"1.234,5"})
        EXPECT_FALSE(value::numberFromText(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(value::toDateTime(QStringLiteral("29.2.2024"))->date(), QDate(2024, 2, 29));
    EXPECT_FALSE(value::toDateTime(QStringLiteral("29.2.2023")).has_value());
    EXPECT_EQ(value::toDateTime(QStringLiteral("5.3.2024 8:05"))->time(), QTime(8, 5));
    EXPECT_EQ(value::toText(value::daysToDateTime(45356)), QStringLiteral("5.3.2024"));
    EXPECT_EQ(value::dateTimeToDays(QDateTime(QDate(1899, 12, 31), QTime(12, 0))), 1.5);
}
