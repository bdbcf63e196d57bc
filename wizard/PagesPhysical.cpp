// Physical load in its four blocks, and working positions.
#include "PageBuilder.h"
#include "WizardPages.h"

#include <QLabel>

namespace ergotab {

namespace {

const QStringList kExceeds = {QStringLiteral("Nepřekračuje"), QStringLiteral("Překračuje")};

} // namespace

void buildFyz1Page(PageBuilder &b)
{
    b.presence(QStringLiteral("Fyzická zátěž"), QStringLiteral("FyzMainComboBox"));
    b.beginPanel(QStringLiteral("FyzMainPanel"));
    b.presence(QStringLiteral("Přev. dynam., vykon. velkými sval. skupinami?"), QStringLiteral("Fyz1ComboBox"));
    b.beginPanel(QStringLiteral("FyzPanel"));
    b.beginGroup(QStringLiteral("Panel9"), QStringLiteral("Celosměnový energetický výdej"));
    b.radio(22, QStringLiteral("Muži: 4,5 - 6,8 MJ  ženy 3,4 - 4,5 MJ"));
    b.radio(23, QStringLiteral("Muži: > 6,8 MJ  ženy > 4,5 MJ"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel10"), QStringLiteral("Minutový přípustný energetický výdej"));
    b.radio(25, QStringLiteral("Muži: 400 - 575 W  ženy 240 - 395 W"));
    b.radio(26, QStringLiteral("Muži: > 575 W  ženy > 395 W"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel11"), QStringLiteral("Směnová srdeční frekvence"));
    b.radio(28, QStringLiteral("92 - 102 tepů/min; max. 150 tepů/min"));
    b.radio(29, QStringLiteral("> 102 tepů/min; > max. 150 tepů/min"));
    b.endGroup();
    QLabel *statement =
        b.text({QStringLiteral("Roční energetický výdej je větší než 2/3 přípustné hodnoty, ale nepřekročí "),
                QStringLiteral("tuto hodnotu při tom zátěž v průběhu celé pracovní doby nepřekročí minutový "),
                QStringLiteral("přípustný energetický výdej  34,5 kJ pro muže a 23,7 kJ pro ženy")},
               11);
    statement->setObjectName(QStringLiteral("Label1"));
    b.list(QStringLiteral("ComboBox1"), kExceeds);
    b.endPanel();
    b.endPanel();
    b.addStretch();
}

void buildFyz2Page(PageBuilder &b)
{
    b.heading(QStringLiteral("Fyzická zátěž"));
    b.presence(QStringLiteral("Přev. dynam., vykon. malými sval. skupinami?"), QStringLiteral("FyzMalComboBox"));
    b.beginPanel(QStringLiteral("FyzMalPanel"));
    b.beginGroup(QStringLiteral("Panel12"), QStringLiteral("Průměrná celosměnová svalová síla:"), true);
    b.radioWithLabel(31, QStringLiteral("ZLabel14"), QStringLiteral("15 - 30% F~smax"));
    b.radioWithLabel(32, QStringLiteral("ZLabel15"), QStringLiteral("> 30% F~smax"));
    b.endGroup();
    b.richHeading(QStringLiteral("ZLabel13"), QStringLiteral("max. 600x/sm. krátkodobé úkony s 55 - 70% F~smax"));
    b.list(QStringLiteral("ComboBox2"), kExceeds);
    b.beginGroup(QStringLiteral("Panel40"),
                 QStringLiteral("počty pohybů v závislosti na sval. silách dle NV 178/01 Sb.:"));
    b.radio(24, QStringLiteral("> 2/3 přípust. hodnoty; < přípust. hodnota"));
    b.radio(27, QStringLiteral("> přípust. hodnota"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel13"),
                 QStringLiteral("pohyby vykonávané malými svalovými skupinami ruky a prstů"));
    b.richHeading(QStringLiteral("ZLabel16"), QStringLiteral("počet pohybů  při 3 - 6% F~smax~0 je"));
    b.radio(34, QStringLiteral("110 - 90 / min"));
    b.radio(35, QStringLiteral("> 110 - 90 / min"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildFyz3Page(PageBuilder &b)
{
    b.heading(QStringLiteral("Fyzická zátěž"));
    b.presence(QStringLiteral("Převaha statické zátěže, vyk. malými sval. skup.?"), QStringLiteral("FyzStatComboBox"));
    b.beginPanel(QStringLiteral("FyzStatPanel"));
    b.beginGroup(QStringLiteral("Panel14"), QStringLiteral("Průměrná celosměnová svalová síla:"));
    b.radioWithLabel(36, QStringLiteral("ZLabel17"), QStringLiteral("6 - 10% F~smax"));
    b.radioWithLabel(37, QStringLiteral("ZLabel18"), QStringLiteral("> 10% F~smax"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildFyz4Page(PageBuilder &b)
{
    b.heading(QStringLiteral("Fyzická zátěž"));
    b.presence(QStringLiteral("Ručně přemisťována břemena?"), QStringLiteral("FyzBremComboBox"));
    b.beginPanel(QStringLiteral("FyzBremPanel"));
    b.beginGroup(QStringLiteral("Panel15"), QStringLiteral("Často muži"));
    b.radio(39, QStringLiteral("15 - 30 kg, celk. > 7000 kg / sm."));
    b.radio(40, QStringLiteral("> 30 kg, celk. > 10000 kg / sm."));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel41"), QStringLiteral("Často ženy"));
    b.radio(30, QStringLiteral("5 - 15 kg, celk. > 4500 kg / sm."));
    b.radio(33, QStringLiteral("> 15 kg, celk. > 6500 kg / sm."));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel42"), QStringLiteral("Občas muži"));
    b.radio(38, QStringLiteral("30 - 50 kg"));
    b.radio(41, QStringLiteral("> 50 kg"));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel43"), QStringLiteral("Občas ženy"));
    b.radio(90, QStringLiteral("15 - 20 kg"));
    b.radio(91, QStringLiteral("> 20 kg"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

void buildPol1Page(PageBuilder &b)
{
    b.presence(QStringLiteral("Zátěž pracovní polohou?"), QStringLiteral("PracPolohaComboBox"));
    b.beginPanel(QStringLiteral("PracPolohaPanel"));
    b.beginGroup(QStringLiteral("Panel8"), QStringLiteral("v podm. přijatelných prac.polohách celkem"));
    b.radio(42, QStringLiteral("100 -160 min / sm."));
    b.radio(43, QStringLiteral(">160 min / sm."));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel17"), QStringLiteral("v nepřijatelných prac. polohách celkem"));
    b.radio(44, QStringLiteral("20 - 30 min / sm."));
    b.radio(45, QStringLiteral("> 30 min / sm."));
    b.endGroup();
    b.beginGroup(QStringLiteral("Panel16"), QStringLiteral("celkem v podm.přijatelných a nepřijatelných pol."));
    b.radio(46, QStringLiteral("< 240 min"));
    b.radio(47, QStringLiteral("> 240 min"));
    b.endGroup();
    b.endPanel();
    b.addStretch();
}

} // namespace ergotab
