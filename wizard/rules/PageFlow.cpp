#include "PageFlow.h"

#include "FactorRules.h"

#include <array>

namespace ergotab {

namespace {

struct PageInfo
{
    const char16_t *key;
    int factor;
};

constexpr std::array<PageInfo, WizardPageCount> kPages = {{
    {u"uvod", 0},
    {u"prach", Dust},
    {u"chem", Chemicals},
    {u"chem1", Chemicals},
    {u"hluk", Noise},
    {u"vibr", Vibration},
    {u"vibr1", Vibration},
    {u"vibr2", Vibration},
    {u"neion", Radiation},
    {u"fyz1", PhysicalLoad},
    {u"fyz2", PhysicalLoad},
    {u"fyz3", PhysicalLoad},
    {u"fyz4", PhysicalLoad},
    {u"pol1", Positions},
    {u"teplo", Heat},
    {u"chlad", Cold},
    {u"psych", Psychological},
    {u"zrak", Visual},
    {u"bio", Biological},
    {u"tlak", Pressure},
    {u"zaver", 0},
}};

bool answered(Pick p)
{
    return p != Pick::None;
}

template <typename... Groups> bool allChosen(Groups... groups)
{
    return ((groups != 0) && ...);
}

} // namespace

QString pageKey(int page)
{
    return QString::fromUtf16(kPages.at(page).key);
}

int pageFactor(int page)
{
    return kPages.at(page).factor;
}

bool pagePassedOver(int page, const WizardAnswers &a)
{
    switch (page) {
    case PageChem1:
        return a.ChemComboBox == Ne;
    case PageVibr1:
    case PageVibr2:
        return a.VibraComboBox == Ne;
    case PageFyz2:
    case PageFyz3:
    case PageFyz4:
        return a.FyzMainComboBox == Ne;
    default:
        return false;
    }
}

bool pageComplete(int page, const WizardAnswers &a, const QString &name)
{
    switch (page) {
    case PageUvod:
        return !name.isEmpty();
    case PagePrach:
        return a.PrachComboBox == Ne || (a.PrachComboBox == Ano && allChosen(a.PrachPanel));
    case PageChem:
        return a.ChemComboBox == Ne || (a.ChemComboBox == Ano && allChosen(a.Panel4, a.Panel5, a.Panel38));
    case PageChem1:
        return answered(a.AlergieComboBox);
    case PageHluk:
        return a.HlukComboBox == Ne || (a.HlukComboBox == Ano && allChosen(a.HlukPanel));
    case PageVibr:
        return a.VibraComboBox == Ne || (a.VibraComboBox == Ano && allChosen(a.VibraPanel));
    case PageVibr1:
        return allChosen(a.Panel37, a.Panel39);
    case PageVibr2:
        return true;
    case PageNeion:
        return a.NeionComboBox == Ne || (a.NeionComboBox == Ano && allChosen(a.Panel3, a.Panel6, a.Panel7));
    case PageFyz1:
        if (a.FyzMainComboBox == Ne)
            return true;
        if (a.FyzMainComboBox != Ano)
            return false;
        return a.Fyz1ComboBox == Ne ||
               (a.Fyz1ComboBox == Ano && allChosen(a.Panel9, a.Panel10, a.Panel11) && answered(a.ComboBox1));
    case PageFyz2:
        return a.FyzMalComboBox == Ne ||
               (a.FyzMalComboBox == Ano && allChosen(a.Panel12, a.Panel40, a.Panel13) && answered(a.ComboBox2));
    case PageFyz3:
        return a.FyzStatComboBox == Ne || (a.FyzStatComboBox == Ano && allChosen(a.Panel14));
    case PageFyz4:
        return a.FyzBremComboBox == Ne ||
               (a.FyzBremComboBox == Ano && allChosen(a.Panel15, a.Panel41, a.Panel42, a.Panel43));
    case PagePol1:
        return a.PracPolohaComboBox == Ne || (a.PracPolohaComboBox == Ano && allChosen(a.Panel8, a.Panel17, a.Panel16));
    case PageTeplo:
        return a.TeploComboBox == Ne || (a.TeploComboBox == Ano && allChosen(a.TeploPanel));
    case PageChlad:
        return answered(a.ChladComboBox);
    case PagePsych:
        return answered(a.PsychiComboBox);
    case PageZrak:
        return answered(a.ZrakComboBox);
    case PageBio:
        return answered(a.BioComboBox);
    case PageTlak:
        return a.TlakComboBox == Ne || (a.TlakComboBox == Ano && allChosen(a.TlakPanel));
    case PageZaver:
        return true;
    default:
        return false;
    }
}

} // namespace ergotab
