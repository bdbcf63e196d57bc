// Heat, cold, psychological and visual load, biological agents and air pressure.
#include "PageBuilder.h"
#include "WizardPages.h"

namespace ergotab {

void buildTeploPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Vyskytuje se na pracovišti zátěž teplem?"), QStringLiteral("TeploComboBox"));
    b.beginPanel(QStringLiteral("TeploPanel"));
    b.beginGroup(QStringLiteral("TeploPanel"), QString());
    b.radioWithBoldLabel(48, QStringLiteral("JvHTLabel1"),
                         QStringLiteral("nejsou dodržovány mikroklimatické podmínky, avšak míra tepelné zátěže\n"
                                        "<b>nevyžaduje omezení doby</b> práce ve směně"));
    b.radioWithBoldLabel(49, QStringLiteral("JvHTLabel2"),
                         QStringLiteral("nejsou dodržovány mikroklimatické podmínky, avšak míra tepelné zátěže\n"
                                        "<b>vyžaduje omezení doby</b> práce ve směně"));
    b.radioWithBoldLabel(50, QStringLiteral("JvHTLabel3"),
                         QStringLiteral("jsou překračovány hodnoty přípustných mikroklimatických podmínek\n"
                                        "a ani při používání OOPP a úpravě režimu práce nelze vyloučit\n"
                                        "poškození zdraví"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildChladPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Zátěž chladem?"), QStringLiteral("ChladComboBox"));
    b.beginPanel(QStringLiteral("ChladPanel"));
    b.beginFlags();
    b.flag(1, QStringLiteral("Trvalý pobyt venku v zimním období"));
    b.flagWithRichLabel(2, QStringLiteral("ZLabel19"), QStringLiteral("Trvalý pobyt při 4°C < t < t~so"));
    b.flag(3, QStringLiteral("Střídavý pobyt v chladu a v teple"));
    b.flag(20, QStringLiteral("Trvalý pobyt při um. teplotě +4°C a méně"));
    b.endFlags();
    b.endPanel();
    b.addStretch();
}

void buildPsychPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Psychická zátěž?"), QStringLiteral("PsychiComboBox"));
    b.beginPanel(QStringLiteral("PsychiPanel"));
    b.beginFlags();
    b.flag(4, QStringLiteral("Monotónní práce"));
    b.flag(5, QStringLiteral("Práce ve vnuceném pracovním tempu"));
    b.flag(7, QStringLiteral("V 3 směnném nebo nepřetržitém prac. režimu"));
    b.flag(6, QStringLiteral("Současně působí 3 či více faktorů kat. 2"));
    b.flag(8, QStringLiteral("Práce pouze v nočních směnách"));
    b.endFlags();
    b.endPanel();
    b.addStretch();
}

void buildZrakPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Zraková zátěž?"), QStringLiteral("ZrakComboBox"));
    b.beginPanel(QStringLiteral("ZrakPanel"));
    b.beginFlags();
    b.flagLead(QStringLiteral("Label6"), QStringLiteral("trvalá práce při sledování detailů s poměrnou pozorovací "));
    b.flag(11, QStringLiteral("vzdáleností 3000 (0,0003 rad) a kontrastem < 0,8"));
    b.flag(13, QStringLiteral("nepřetržité monitorování prostřednictvím monitorů apod."));
    b.flag(12, QStringLiteral("nezbytné používání zvětšovacích přístrojů"));
    b.flag(14, QStringLiteral("technicky neodstranitelné oslňování"));
    b.endFlags();
    b.endPanel();
    b.addStretch();
}

void buildBioPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Práce s biologickými činiteli?"), QStringLiteral("BioComboBox"));
    b.beginPanel(QStringLiteral("BioPanel"));
    b.beginFlags();
    b.flagWithLabel(15, QStringLiteral("Label4"),
                    QStringLiteral("práce nejsou spojeny s vědomým záměrem zacházet\n"
                                   "s biologickými činiteli nebo jejich zdroji nebo přenašeči,\n"
                                   "ale expozice biologickými činiteli je pravděpodobná"));
    b.flagWithLabel(16, QStringLiteral("Label5"),
                    QStringLiteral("práce jsou spojeny s vědomým záměrem zacházet\n"
                                   "s biologickými činiteli 2. a 3. skupiny nebo jejich zdroji\n"
                                   "nebo přenašeči"));
    b.flagWithLabel(9, QStringLiteral("Label7"),
                    QStringLiteral("práce jsou spojeny s vědomým záměrem zacházet\n"
                                   "s biologickými činiteli 4. skupiny nebo jejich zdroji\n"
                                   "nebo přenašeči"));
    b.endFlags();
    b.endPanel();
    b.addStretch();
}

void buildTlakPage(PageBuilder &b)
{
    b.presence(QStringLiteral("Práce ve zvýšeném tlaku vzduchu?"), QStringLiteral("TlakComboBox"));
    b.beginPanel(QStringLiteral("TlakPanel"));
    b.beginGroup(QStringLiteral("TlakPanel"), QString());
    b.radio(51, QStringLiteral("tlak vzduchu < 100 kPa (hloubka 10 m)"));
    b.radio(52, QStringLiteral("tlak vzduchu 100 - 400 kPa (hloubka 10 - 40 m)"));
    b.radio(53, QStringLiteral("tlak vzduchu > 400 kPa (hloubka nad 40 m) "));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

} // namespace ergotab
