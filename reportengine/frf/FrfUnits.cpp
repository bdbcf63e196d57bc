#include "reportengine/frf/FrfUnits.h"

namespace ergotab::report::frf {

QColor delphiColor(quint32 value, const QColor &fallback)
{
    if (value == colorNone || value == colorDefault)
        return fallback;
    if (value & 0x80000000u) {
        // GetSysColor indices 0 to 24 in the classic scheme.
        static const quint32 system[] = {0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000,
                                         0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000,
                                         0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF,
                                         0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF};
        const quint32 index = value & 0xFF;
        value = index < std::size(system) ? system[index] : 0x808080;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString cleanText(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n') {
            text[i] = u' ';
        } else if (c == 0xFFFE || c == 0xFFFF) {
            text[i] = QChar::ReplacementCharacter;
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            else
                text[i] = QChar::ReplacementCharacter;
        } else if (QChar::isLowSurrogate(c)) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

std::optional<CodePage::Id> codePageForCharset(int charset)
{
    switch (charset) {
    case 204:
        return CodePage::Windows1251;
    case 238:
        return CodePage::Windows1250;
    default:
        return std::nullopt;
    }
}

} // namespace ergotab::report::frf
