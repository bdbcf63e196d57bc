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
