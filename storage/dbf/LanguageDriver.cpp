#include "LanguageDriver.h"

namespace ergotab::dbf {

namespace {

CodePage::Id codePageForId(quint8 id)
{
    switch (id) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B:
        return CodePage::Cp437;
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
        return CodePage::Cp850;
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
    case 0x87:
        return CodePage::Cp852;
    case 0x20:
    case 0x68: // Kamenický: BDE's DB867CZ0 and FoxPro's cp895 are the same table
        return CodePage::Cp867;
    case 0x26:
    case 0x65:
        return CodePage::Cp866;
    case 0xC9:
        return CodePage::Windows1251;
    default: // 0x00, Windows ANSI drivers (0x03, 0x57-0x59), 0xC8 and anything unknown
        return CodePage::Windows1250;
    }
}

CodePage::Id codePageForName(const QByteArray &name)
{
    if (!name.startsWith("DB") || name.startsWith("DBWIN"))
        return CodePage::Windows1250;
    qsizetype end = 2;
    while (end < name.size() && end < 6 && name.at(end) >= '0' && name.at(end) <= '9')
        ++end;
    switch (name.mid(2, end - 2).toInt()) {
    case 437:
        return CodePage::Cp437;
    case 850:
        return CodePage::Cp850;
    case 852:
        return CodePage::Cp852;
    case 866:
        return CodePage::Cp866;
    case 867:
    case 895:
        return CodePage::Cp867;
    case 1251:
        return CodePage::Windows1251;
    default:
        return CodePage::Windows1250;
    }
}

} // namespace

CodePage::Id codePageForDriver(quint8 driverId, const QByteArray &driverName)
{
    const QByteArray name = driverName.trimmed().toUpper();
    if (driverId == 0 && !name.isEmpty())
        return codePageForName(name);
    return codePageForId(driverId);
}

} // namespace ergotab::dbf
