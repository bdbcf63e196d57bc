// Vibration and non-ionising radiation.
#include "PageBuilder.h"
#include "WizardPages.h"

namespace ergotab {

void buildVibrPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytují se na pracovišti vibrace?"), QStringLiteral("VibraComboBox"));
    b.beginPanel(QStringLiteral("VibraPanel"));
    b.beginGroup(QStringLiteral("VibraPanel"), QStringLiteral("vibrace přenášené na ruce"));
    b.radioWithLabel(13, QStringLiteral("ZLabel1"), QStringLiteral("113 - 123 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(14, QStringLiteral("ZLabel2"), QStringLiteral("123 - 133 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(15, QStringLiteral("ZLabel3"), QStringLiteral("> 133 dB re 10~S-6~0 m.s~S-2"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildVibr1Page(PageBuilder &b)
{
    b.heading(QStringLiteral("Celkové Vibrace"));
    b.beginGroup(QStringLiteral("Panel37"), QStringLiteral("- horizontální"));
    b.radioWithLabel(82, QStringLiteral("ZLabel4"), QStringLiteral("97 - 107 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(83, QStringLiteral("ZLabel5"), QStringLiteral("107 - 117 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(84, QStringLiteral("ZLabel6"), QStringLiteral("> 117 dB re 10~S-6~0 m.s~S-2"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel39"), QStringLiteral("- vertikální"));
    b.radioWithLabel(87, QStringLiteral("ZLabel7"), QStringLiteral("100 - 110 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(88, QStringLiteral("ZLabel8"), QStringLiteral("110 - 120 dB re 10~S-6~0 m.s~S-2"));
    b.radioWithLabel(89, QStringLiteral("ZLabel9"), QStringLiteral("> 120 dB re 10~S-6~0 m.s~S-2"));
    b.endGroup();
    b.addStretch();
}

void buildVibr2Page(PageBuilder &b)
{
    b.heading(QStringLiteral("vibrace přenášené na ruce"));
    b.checkWithRichLabel(
        17, QStringLiteral("ZLabel10"),
        QStringLiteral("L~s8h~0 < 123 dB re 10~S-6~0 m.s~S-2~0; L~svw~0 > 123 dB re 10~S-6~0 m.s~S-2"));
    b.heading(QStringLiteral("celkové vibrace - horizontální"));
    b.checkWithRichLabel(
        18, QStringLiteral("ZLabel11"),
        QStringLiteral("L~s8h~0 < 107 dB re 10~S-6~0 m.s~S-2~0; L~svw~0 > 107 dB re 10~S-6~0 m.s~S-2"));
    b.heading(QStringLiteral("celkové vibrace - vertikální"));
    b.checkWithRichLabel(
        19, QStringLiteral("ZLabel12"),
        QStringLiteral("L~s8h~0 < 110 dB re 10~S-6~0 m.s~S-2~0; L~svw~0 > 110 dB re 10~S-6~0 m.s~S-2"));
    b.addStretch();
}

void buildNeionPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytuje se na pracovišti neionizující záření?"), QStringLiteral("NeionComboBox"));
    b.beginPanel(QStringLiteral("NeionPanel"));
    b.beginGroup(QStringLiteral("Panel3"), QStringLiteral("Lasery?"));
    b.radio(16, QStringLiteral("lasery do třídy III a"));
    b.radio(17, QStringLiteral("lasery třídy III b, IV"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel6"), QStringLiteral("IR, viditelné, UV záření?"));
    b.radio(18, QStringLiteral("> 0,3 přípustné hodnoty; < přípustná hodnota"));
    b.radio(19, QStringLiteral("> přípustná hodnota"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel7"), QStringLiteral("EMP?"));
    b.radio(20, QStringLiteral("> 0,3 přípustné hodnoty; < přípustná hodnota"));
    b.radio(21, QStringLiteral("> přípustná hodnota"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

} // namespace ergotab
